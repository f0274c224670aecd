#include "host/host.h"

#include "host/accessibility.h"
#include "host/error.h"
#include "host/picture.h"
#include "host/stage.h"
#include "host/widgets.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFont>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <fontconfig/fontconfig.h>
#include <thread>

namespace host {

namespace {

// Credit a paced yield may bank after a slow stretch.
constexpr auto kSlack = std::chrono::milliseconds(1);
// How far ahead of schedule a run of yields may get before one of them sleeps. Each
// sleep costs a wake-up (50 to 80 microseconds of CPU on some virtual machines, where at
// 4 ms the wake-ups alone took 2 % of a core); a pause's length is kept within this much
// of its schedule, which for the shortest pause, 100 ms, is well within what shows.
constexpr auto kAhead = std::chrono::milliseconds(8);
// The longest a run of yields goes without asking the window system for input.
constexpr auto kPoll = std::chrono::microseconds(250);
// Reading the clock costs as much as the rest of a yield that finds nothing to do, so a
// run of such yields reads it only every kClockEvery yields.
constexpr unsigned kClockEvery = 16;

} // namespace

Host::Host(Desktop& desktop, std::chrono::nanoseconds pace) : m_desktop(desktop), m_pace(pace)
{
    installAccessibility();
    // The layouts name the fonts of the desktop they were designed on.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

Host::~Host() { m_stage.reset(); }

Stage& Host::stage() const
{
    if (!m_stage)
        m_stage = std::make_unique<Stage>();
    return *m_stage;
}

qreal Host::devicePixelRatio() const { return stage().devicePixelRatioF(); }

FormView& Host::makeView(Form& form) { return *new FormWidget(form, &stage()); }

void Host::present(Form& form)
{
    auto* window = static_cast<FormWidget*>(form.widget());
    Stage& stage = this->stage();
    if (!window->shownBefore()) {
        window->place();
        // The window that fills the stage gives it its title and icon, the taskbar's and
        // the task switcher's.
        if (window->fills()) {
            stage.setWindowTitle(window->windowTitle());
            if (form.layout().icon)
                stage.setIcon(Picture::fromAsset(form.layout().icon).icon());
        }
        window->setShownBefore();
    }
    window->show();
    if (window->fills())
        window->lower();
    else
        window->raise();
    stage.present();
    stage.focusFront();
}

void Host::hidden(Form&) { stage().focusFront(); }

QWidget* Host::modalOwner(Form* form)
{
    if (form && form->isLoaded() && form->isVisible())
        return form->widget();
    return m_stage ? m_stage->front() : nullptr;
}

void Host::backFromModal()
{
    // Without a window manager nobody gives the keyboard back to the program when a
    // dialog closes; with one, it may go to the backdrop's window rather than the page.
    if (m_stage && m_stage->isVisible() && !m_ending) {
        m_stage->activateWindow();
        m_stage->focusFront();
    }
}

int Host::messageBox(const QString& prompt, int style, const QString& title)
{
    const int answer = m_desktop.messageBox(prompt, style, title, modalOwner(m_frames.empty() ? nullptr : m_frames.back().form));
    backFromModal();
    return answer;
}

std::unique_ptr<Printer> Host::printDialog(const PrintSettings& settings, Form& owner)
{
    auto printer = m_desktop.printDialog(settings, modalOwner(&owner));
    backFromModal();
    return printer;
}

void Host::registerForm(Form& form) { m_forms.push_back(&form); }

void Host::unregisterForm(Form& form) { std::erase(m_forms, &form); }

Form& Host::form(std::string_view name) const
{
    for (Form* f : m_forms)
        if (name == f->name())
            return *f;
    throw Error("There is no window named " + std::string(name) + ".");
}

void Host::DoEvents()
{
    ++m_yields;
    if (m_yieldHook)
        m_yieldHook(m_yields);
    if (m_pace.count() > 0 && !m_ending)
        keepPace();
    else
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    checkStop();
}

// A paced yield keeps the meaning of a yield while the process sleeps between events:
// - Posted events (repaints, deferred work, events from other threads) are delivered by
//   every yield, as the event loop would deliver them first: what a handler changed
//   before a lone yield is on screen when the yield returns.
// - Input from the window system waits in its queue at most kPoll of real time (and the
//   time kClockEvery yields take), or until the next yield that sleeps, whichever comes
//   first; a sleeping yield wakes the moment anything arrives and delivers it. Nothing
//   is dropped or reordered.
// - Every call counts and returns; only the time between yields is shaped, so a run of
//   N yields lasts about N times the pace however many of them find nothing to do.
// - Real time only moves forward, so a yield whose schedule stays within kAhead of the
//   last reading of the clock cannot be one that has to sleep.
void Host::keepPace()
{
    using clock = std::chrono::steady_clock;
    QCoreApplication::sendPostedEvents();
    if (m_unclocked > 0 && m_due + m_pace - m_clocked < kAhead) {
        --m_unclocked;
        m_due += m_pace;
        return;
    }
    m_unclocked = kClockEvery - 1;
    auto now = clock::now();
    m_clocked = now;
    // Behind schedule (a slow stretch, or a wait that woke late) the debt is kept up to
    // the slack, so late wake-ups do not add up over a pause.
    if (m_due < now - kSlack)
        m_due = now - kSlack;
    m_due += m_pace;
    if (m_due - now < kAhead) {
        if (now - m_polled >= kPoll) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            m_polled = clock::now();
        }
        return;
    }
    // Well ahead: sleep until due, delivering whatever comes meanwhile.
    ++m_waits;
    if (!m_wake) {
        m_wake = std::make_unique<QTimer>();
        m_wake->setSingleShot(true);
        m_wake->setTimerType(Qt::PreciseTimer);
    }
    while (!m_ending && m_due - now >= std::chrono::milliseconds(1)) {
        const auto wait = std::chrono::floor<std::chrono::milliseconds>(m_due - now);
        m_wake->start(int(wait.count()));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        now = clock::now();
    }
    m_wake->stop();
    m_polled = m_clocked = now;
}

void Host::checkStop() const
{
    if (m_ending)
        throw Stop{};
    if (!m_frames.empty()) {
        const Frame& f = m_frames.back();
        if (f.form->generation() != f.generation)
            throw Stop{};
    }
}

void Host::End()
{
    m_ending = true;
    for (Form* f : m_forms)
        f->closeForEnd();
    if (!m_endRequested) {
        m_endRequested = true;
        m_desktop.end();
    }
    if (!m_frames.empty())
        throw Stop{};
}

void Host::dispatch(Form& form, const std::function<void()>& handler)
{
    if (m_ending || int(m_frames.size()) >= kMaxNesting)
        return;
    m_frames.push_back({&form, form.generation()});
    m_unclocked = 0; // its first yield reads the clock: time has passed since the last one
    m_deepest = std::max(m_deepest, int(m_frames.size()));
    form.enterHandler();
    QString failure;
    try {
        handler();
    } catch (const Stop&) {
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    }
    m_frames.pop_back();
    form.leaveHandler();
    if (!failure.isEmpty() && !m_ending)
        report(failure);
}

void Host::report(const QString& message)
{
    // Reported outside the failed handler's frame, so a failure in the report itself
    // cannot recurse into it.
    try {
        messageBox(message, mb::OkOnly | mb::Critical, QStringLiteral("Vantrel"));
    } catch (...) {
    }
}

void Host::closeRequested(Form& form)
{
    if (m_closeHandler)
        dispatch(form, m_closeHandler);
}

namespace {

// While the application object is made: Qt's platform plugin either opens a display or
// ends the process with advice to reinstall. Its warnings wait until it is known which.
struct HeldMessage {
    QtMsgType type;
    QString message;
};
QtMessageHandler g_previousHandler = nullptr;
std::vector<HeldMessage>* g_held = nullptr;
std::thread* g_fontConfiguration = nullptr;

void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && message.contains(QLatin1String("platform plugin"))) {
        std::fputs("Vantrel needs a graphical desktop: no X11 or Wayland display could be opened.\n", stderr);
        std::_Exit(1);
    }
    if (type == QtFatalMsg || !g_held) {
        g_previousHandler ? g_previousHandler(type, context, message) : qt_message_output(type, context, message);
        return;
    }
    g_held->push_back({type, message});
}

} // namespace

void afterApplication()
{
    if (g_fontConfiguration) {
        g_fontConfiguration->join();
        delete g_fontConfiguration;
        g_fontConfiguration = nullptr;
    }
    qInstallMessageHandler(g_previousHandler);
    if (g_held)
        for (const HeldMessage& m : *g_held)
            qt_message_output(m.type, QMessageLogContext(), m.message);
    delete g_held;
    g_held = nullptr;
}

void beforeApplication()
{
    g_held = new std::vector<HeldMessage>;
    g_previousHandler = qInstallMessageHandler(startupMessages);
    // Pauses yield to the event loop a hundred thousand times a second: Qt's own event
    // dispatcher does that for about two thirds of the CPU that GLib's takes.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    // The font configuration takes milliseconds of reading files to load, and the font
    // check before the first frame needs it: it loads while the toolkit opens the display,
    // and the toolkit's font database later finds it loaded. Loading it is safe on any
    // thread.
    g_fontConfiguration = new std::thread([] { FcInit(); });
}

int Host::pixelsPerInch()
{
    // A failed query, or a density no screen has, must not size windows beyond memory.
    const int dpi = m_desktop.logicalDpi();
    return dpi > 0 ? std::clamp(dpi, 24, 960) : 96;
}

} // namespace host
