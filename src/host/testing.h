// What tests and benchmarks reach inside the host, and the program never needs: a hook on
// every yield, the deepest nesting seen, every window that exists.
#pragma once

#include "host/host.h"

#include <functional>
#include <vector>

namespace host::testing {

struct HostAccess {
    // Called for every yield with the running count; tests inject events here.
    static void setYieldHook(Host& host, std::function<void(std::uint64_t)> hook) { host.m_yieldHook = std::move(hook); }
    static int deepestNesting(const Host& host) { return host.m_deepest; }
    static const std::vector<Form*>& forms(const Host& host) { return host.m_forms; }
};

inline void setYieldHook(Host& host, std::function<void(std::uint64_t)> hook) { HostAccess::setYieldHook(host, std::move(hook)); }
inline int deepestNesting(const Host& host) { return HostAccess::deepestNesting(host); }
inline const std::vector<Form*>& forms(const Host& host) { return HostAccess::forms(host); }

} // namespace host::testing
