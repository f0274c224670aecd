// Failures of the host and the way a handler is stopped.
#pragma once

#include <stdexcept>
#include <string>

namespace host {

// A host operation that cannot be done. The dispatch boundary reports it to the user
// and the program goes on; only the handler that raised it stops.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The print dialog's Cancel when the dialog was told to report it as a failure.
class CancelError : public Error {
public:
    CancelError() : Error("Cancel was selected.") {}
};

// Unwinds a handler that must not go on: its window was unloaded while it yielded,
// or the program is ending. Caught silently at the dispatch boundary. Deliberately not
// derived from std::exception, so handlers that trap host errors cannot swallow it.
struct Stop {};

} // namespace host
