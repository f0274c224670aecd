// What tests and benchmarks reach inside the host, and the program never needs: a hook on
// every yield, the deepest nesting seen, every window that exists, a window's running
// handlers.
#pragma once

#include "host/host.h"

#include <functional>
#include <vector>

namespace host::testing {

struct Access {
    // Called for every yield with the running count; tests inject events here.
    static void setYieldHook(Host& host, std::function<void(std::uint64_t)> hook) { host.m_yieldHook = std::move(hook); }
    static int deepestNesting(const Host& host) { return host.m_deepest; }
    static const std::vector<Form*>& forms(const Host& host) { return host.m_forms; }
    static int runningHandlers(const Form& form) { return form.m_depth; }
};

inline void setYieldHook(Host& host, std::function<void(std::uint64_t)> hook) { Access::setYieldHook(host, std::move(hook)); }
inline int deepestNesting(const Host& host) { return Access::deepestNesting(host); }
inline const std::vector<Form*>& forms(const Host& host) { return Access::forms(host); }
inline int runningHandlers(const Form& form) { return Access::runningHandlers(form); }

} // namespace host::testing
