// The host: the windows by name, the dispatch boundary every handler runs in, the paced
// yield `DoEvents` and `End`, and the stage that shows the windows.
#pragma once

#include "host/desktop.h"
#include "host/form.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QTimer;

namespace host {

class Stage;
namespace testing {
struct Access;
}

class Host final : public WindowHost {
public:
    // pace: the least average time between consecutive yields (zero in tests).
    explicit Host(Desktop& desktop, std::chrono::nanoseconds pace = std::chrono::microseconds(10));
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    Desktop& desktop() override { return m_desktop; }
    // The program's one top-level window, which holds every window; made at first use.
    Stage& stage() const;

    // The modal services, owned by the window whose handler asks and centred on it; when
    // they close, the window in front has the keyboard again.
    int messageBox(const QString& prompt, int style, const QString& title) override;
    std::unique_ptr<Printer> printDialog(const PrintSettings& settings, Form& owner) override;

    void registerForm(Form& form) override;
    void unregisterForm(Form& form) override;
    Form& form(std::string_view name) const override; // throws host::Error for an unknown name

    // Delivers pending events and paces (see keepPace()); stops the calling handler (throws Stop)
    // when its window was unloaded meanwhile or the program is ending.
    void DoEvents() override;
    // Closes every window, stops the calling handler at once and every other one at its
    // next yield, and leaves the event loop.
    void End() override;
    bool ending() const override { return m_ending; }

    void setPace(std::chrono::nanoseconds pace) { m_pace = pace; }
    std::chrono::nanoseconds pace() const { return m_pace; }
    std::uint64_t yields() const { return m_yields; }
    std::uint64_t waits() const { return m_waits; } // times a paced yield waited for events

    // Runs a handler of a window: host errors are reported in a message box and the
    // program goes on; a handler that would nest deeper than kMaxNesting does not run.
    void dispatch(Form& form, const std::function<void()>& handler) override;
    static constexpr int kMaxNesting = 200;
    int nesting() const { return int(m_frames.size()); }

    // A close request from the desktop (Alt+F4) on any window.
    void setCloseHandler(std::function<void()> handler) { m_closeHandler = std::move(handler); }
    void closeRequested(Form& form) override;

    // The display's pixels per logical inch for geometry; 96 when the query fails, and
    // kept within what screens have.
    int pixelsPerInch() override;
    qreal devicePixelRatio() const override;

    FormView& makeView(Form& form) override;
    void present(Form& form) override;
    void hidden(Form& form) override;

private:
    friend struct testing::Access;
    struct Frame {
        Form* form;
        unsigned generation;
    };
    void keepPace();
    void checkStop() const;
    void report(const QString& message);

    QWidget* modalOwner(Form* form);
    void backFromModal();

    Desktop& m_desktop;
    mutable std::unique_ptr<Stage> m_stage;
    std::chrono::nanoseconds m_pace;
    std::chrono::steady_clock::time_point m_due{};
    std::chrono::steady_clock::time_point m_polled{}; // the last pass through the event loop
    std::chrono::steady_clock::time_point m_clocked{}; // the last reading of the clock
    unsigned m_unclocked = 0; // yields that may still go without reading it
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

// Settings that must be made, and work that can start, before the application object
// exists. Without any display to open, making it then says so in one line and ends the
// process with status 1.
void beforeApplication();
// Once the application object exists; waits for what beforeApplication started.
void afterApplication();

} // namespace host
