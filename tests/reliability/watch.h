// The invariants that must hold after every event of a storm, whatever the order of
// events and however deeply handlers re-enter each other.
#pragma once

#include <QString>
#include <map>
#include <string>
#include <vector>

namespace host {
class Form;
class Host;
} // namespace host
namespace shell {
struct Module1;
}
class ScriptedDesktop;

class Watch {
public:
    // Built before the program starts, so that it sees every load from the first one.
    Watch(host::Host& host, shell::Module1& module, ScriptedDesktop& desktop);

    // The first invariant that does not hold, described; empty when all hold.
    std::string check();
    // After End: every window closed, no handler running, no pause flag left set.
    std::string checkEnded();

    // Message boxes the storm provoked on purpose (a failing printer or address).
    void allowPrefix(const QString& prefix) { m_allowed.push_back(prefix); }

private:
    struct Seen {
        unsigned generation = 0;
        bool loaded = false;
    };
    std::string checkWindows();
    std::string checkPreviews();
    std::string checkCurrentForm();
    std::string checkHandlers();
    std::string checkMessages();
    host::Form* shownMain();

    host::Host& m_host;
    shell::Module1& m_module;
    ScriptedDesktop& m_desktop;
    std::map<const host::Form*, Seen> m_seen;
    std::map<const host::Form*, unsigned> m_previewShown; // generation last seen on screen
    const host::Form* m_lastLoaded = nullptr;
    std::size_t m_messagesSeen = 0;
    std::vector<QString> m_allowed;
};
