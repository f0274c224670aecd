#include "watch.h"

#include "host/form.h"
#include "host/host.h"
#include "host/testing.h"
#include "shell/module1.h"
#include "support/scripted_desktop.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The windows of which exactly one stands in front of the backdrop; the previews aside.
constexpr std::array<std::string_view, 12> kMain{"Form1", "Form2", "Form3", "frmk0", "Frm1", "Frm2",
                                                 "Frm3",  "Frm4",  "Frm5",  "Frm6",  "Frm7", "Frm8"};
// The windows whose load records them in CurrentForm.
constexpr std::array<std::string_view, 9> kChapter{"frmk0", "Frm1", "Frm2", "Frm3", "Frm4",
                                                   "Frm5",  "Frm6", "Frm7", "Frm8"};

bool frontEnd(std::string_view name) { return name == "Form1" || name == "Form2" || name == "Form3"; }

std::string nameOf(const host::Form* f) { return f ? f->name() : "no window"; }

} // namespace

Watch::Watch(host::Host& host, shell::Module1& module, ScriptedDesktop& desktop)
    : m_host(host), m_module(module), m_desktop(desktop)
{
    for (std::string_view name : kChapter) {
        const host::Form& f = m_host.form(name);
        m_seen[&f] = Seen{f.generation(), f.isLoaded()};
    }
    m_messagesSeen = m_desktop.messages.size();
}

std::string Watch::check()
{
    for (auto part : {&Watch::checkWindows, &Watch::checkPreviews, &Watch::checkCurrentForm, &Watch::checkHandlers,
                      &Watch::checkMessages}) {
        std::string broken = (this->*part)();
        if (!broken.empty())
            return broken;
    }
    return {};
}

host::Form* Watch::shownMain()
{
    for (std::string_view name : kMain)
        if (m_host.form(name).isVisible())
            return &m_host.form(name);
    return nullptr;
}

std::string Watch::checkWindows()
{
    if (!m_host.form("FrmBack").isVisible())
        return "the backdrop is not shown";
    std::string shown;
    int count = 0;
    for (std::string_view name : kMain)
        if (m_host.form(name).isVisible()) {
            shown += (count++ ? ", " : "") + std::string(name);
        }
    if (count != 1)
        return "expected one window in front of the backdrop, shown: " + (shown.empty() ? "none" : shown);
    // A window loaded but not shown was loaded implicitly, behind the user's back; the
    // title window alone waits hidden while the front end runs.
    for (std::string_view name : kMain) {
        const host::Form& f = m_host.form(name);
        if (!f.isLoaded() || f.isVisible())
            continue;
        if (name == "frmk0" && frontEnd(shown))
            continue;
        return std::string(name) + " is loaded but not shown (" + shown + " is)";
    }
    return {};
}

std::string Watch::checkPreviews()
{
    // The previews stay loaded when hidden, but only a Show loads them: a preview whose
    // present load was never seen on screen was loaded implicitly.
    for (const char* name : {"Form4", "Form5"}) {
        const host::Form& f = m_host.form(name);
        if (f.isVisible())
            m_previewShown[&f] = f.generation();
        else if (f.isLoaded() && m_previewShown[&f] != f.generation())
            return std::string(name) + " was loaded without being shown";
    }
    return {};
}

std::string Watch::checkCurrentForm()
{
    // A window's generation steps at every load and every unload, so the loads since the
    // last look follow from the step count and the state it started from.
    std::vector<const host::Form*> loaded;
    for (auto& [form, seen] : m_seen) {
        const unsigned steps = form->generation() - seen.generation;
        const unsigned loads = (steps + (seen.loaded ? 0 : 1)) / 2;
        if (loads > 0)
            loaded.push_back(form);
        seen = Seen{form->generation(), form->isLoaded()};
    }
    const host::Form* current = m_module.CurrentForm;
    if (loaded.size() == 1)
        m_lastLoaded = loaded.front();
    else if (loaded.size() > 1) {
        // Several loads between two looks: the last one must be among them.
        if (std::find(loaded.begin(), loaded.end(), current) == loaded.end())
            return "CurrentForm names " + nameOf(current) + ", which was not among the windows just loaded";
        m_lastLoaded = current;
    }
    if (current != m_lastLoaded)
        return "CurrentForm names " + nameOf(current) + " but the last window loaded was " + nameOf(m_lastLoaded);
    const host::Form* shown = shownMain();
    if (shown && !frontEnd(shown->name()) && shown != current)
        return "CurrentForm names " + nameOf(current) + " while " + nameOf(shown) + " is shown";
    return {};
}

std::string Watch::checkHandlers()
{
    if (host::testing::deepestNesting(m_host) >= host::Host::kMaxNesting)
        return "handlers nested up to the bound of " + std::to_string(host::Host::kMaxNesting);
    if (m_host.nesting() == 0 && (m_module.DelayRunning || m_module.DelayRunning2))
        return std::string("no handler runs but ") + (m_module.DelayRunning ? "DelayRunning" : "DelayRunning2") +
               " is still set";
    return {};
}

std::string Watch::checkMessages()
{
    // Every message box is the exit question or a failure the storm provoked; anything
    // else is a host error reported to the user.
    while (m_messagesSeen < m_desktop.messages.size()) {
        const AskedMessage& m = m_desktop.messages[m_messagesSeen++];
        if (m.prompt == QLatin1String("Exit Mouse program?") && m.style == 36 && m.title == QLatin1String("Vantrel"))
            continue;
        bool allowed = false;
        for (const QString& prefix : m_allowed)
            allowed = allowed || m.prompt.startsWith(prefix);
        if (!allowed)
            return "unexpected message box: " + m.prompt.toStdString();
    }
    return {};
}

std::string Watch::checkEnded()
{
    for (host::Form* f : host::testing::forms(m_host))
        if (f->isLoaded() || f->isVisible())
            return std::string(f->name()) + " is still " + (f->isVisible() ? "shown" : "loaded") + " after End";
    if (m_host.nesting() != 0)
        return "a handler still runs after End";
    if (m_module.DelayRunning || m_module.DelayRunning2)
        return "a pause flag is still set after End";
    return checkMessages();
}
