// The host: the windows by name, the dispatch boundary every handler runs in,
// the paced yield `DoEvents` and `End`.
#pragma once

#include "host/desktop.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QTimer;

namespace host {

class Form;
class Stage;

class Host {
public:
    // pace: the least average time between consecutive yields (zero in tests).
    explicit Host(Desktop& desktop, std::chrono::nanoseconds pace = std::chrono::microseconds(10));
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    static Host& instance(); // the host of the running program
    Desktop& desktop() { return m_desktop; }
    // The program's one top-level window, which holds every window; made at first use.
    Stage& stage();

    // The modal services, owned by the window whose handler asks and centred on it; when
    // they close, the window in front has the keyboard again.
    int messageBox(const QString& prompt, int style, const QString& title);
    std::unique_ptr<Printer> printDialog(const PrintSettings& settings, Form& owner);

    void registerForm(Form& form);
    void unregisterForm(Form& form);
    Form& form(std::string_view name) const; // throws host::Error for an unknown name
    const std::vector<Form*>& forms() const { return m_forms; }

    // Delivers pending events and paces (see pace()); stops the calling handler (throws Stop)
    // when its window was unloaded meanwhile or the program is ending.
    void DoEvents();
    // Closes every window, stops the calling handler at once and every other one at its
    // next yield, and leaves the event loop.
    void End();
    bool ending() const { return m_ending; }

    void setPace(std::chrono::nanoseconds pace) { m_pace = pace; }
    std::chrono::nanoseconds pace() const { return m_pace; }
    std::uint64_t yields() const { return m_yields; }
    std::uint64_t waits() const { return m_waits; } // times a paced yield waited for events

    // Runs a handler of a window: host errors are reported in a message box and the
    // program goes on; a handler that would nest deeper than kMaxNesting does not run.
    void dispatch(Form& form, const std::function<void()>& handler);
    static constexpr int kMaxNesting = 200;
    int nesting() const { return int(m_frames.size()); }
    int deepestNesting() const { return m_deepest; }

    // A close request from the desktop (Alt+F4) on any window.
    void setCloseHandler(std::function<void()> handler) { m_closeHandler = std::move(handler); }
    void closeRequested(Form& form);

    // The display's pixels per logical inch for geometry; 96 when the query fails, and
    // kept within what screens have.
    int pixelsPerInch();

    // Called for every yield with the running count; tests inject events here.
    void setYieldHook(std::function<void(std::uint64_t)> hook) { m_yieldHook = std::move(hook); }

private:
    struct Frame {
        Form* form;
        unsigned generation;
    };
    void pace();
    void checkStop() const;
    void report(const QString& message);

    QWidget* modalOwner(Form* form);
    void backFromModal();

    Desktop& m_desktop;
    std::unique_ptr<Stage> m_stage;
    std::chrono::nanoseconds m_pace;
    std::chrono::steady_clock::time_point m_due{};
    std::chrono::steady_clock::time_point m_polled{}; // the last pass through the event loop
    std::unique_ptr<QTimer> m_wake; // ends a paced yield's sleep
    std::vector<Form*> m_forms;
    std::vector<Frame> m_frames;
    std::function<void()> m_closeHandler;
    std::function<void(std::uint64_t)> m_yieldHook;
    std::uint64_t m_yields = 0;
    std::uint64_t m_waits = 0;
    int m_deepest = 0;
    bool m_ending = false;
    bool m_endRequested = false;
};

// Settings that must be made before the application object exists. Without any display
// to open, making it then says so in one line and ends the process with status 1.
void beforeApplication();
// Once the application object exists.
void afterApplication();

// The calls the windows are written against.
inline void DoEvents() { Host::instance().DoEvents(); }
inline void End() { Host::instance().End(); }
inline int MsgBox(const QString& prompt, int buttons, const QString& title)
{
    return Host::instance().messageBox(prompt, buttons, title);
}
inline void Shell(const QString& command, int windowStyle) { Host::instance().desktop().shell(command, windowStyle); }

inline constexpr int LOGPIXELSX = 88;
// The display's device capability; only LOGPIXELSX is known. Needs a device context.
int GetDeviceCaps(quintptr hdc, int index);
// The application-wide mouse pointer; 0 is the default pointer.
void setScreenMousePointer(int pointer);

} // namespace host
