#pragma once

#include "host/form.h"

namespace shell {

// The two previews of the full edition, Form4 (its main screen) and Form5 (the Orvane
// simulation): a picture that a click, Escape, Return or Space hides, back to the menu.
class Preview : public host::Form {
public:
    Preview(host::WindowHost& host, const host::StoredWindow& layout);

protected:
    void Form_Load() override;
};

} // namespace shell
