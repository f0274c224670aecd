// The storm's events: what each one does to the program, described for the failure report.
#include "storm.h"

#include "host/control.h"
#include "host/form.h"
#include "host/host.h"
#include "support/scripted_desktop.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcut>
#include <QWidget>

namespace {

enum MouseKind { Move, Click, DoubleClick, Press };

std::string describe(const host::Form& window, const host::Control* c)
{
    return std::string(window.name()) + "." + (c ? c->id().toStdString() : std::string(host::kWindow));
}

std::string at(float x, float y) { return " (" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

} // namespace

host::Form& Storm::pickWindow()
{
    host::Form& main = mainWindow();
    const double r = std::uniform_real_distribution<double>(0, 1)(m_rng);
    // The backdrop brings back the window named by CurrentForm, which during the front end
    // is the hidden title window: two windows would then stand in front by design.
    const bool chapter = pageShown() > 0 || main.name() == std::string_view("frmk0");
    if (chapter && r < 0.08)
        return m_host->form("FrmBack");
    if (r < 0.16)
        for (const char* preview : {"Form4", "Form5"})
            if (m_host->form(preview).isVisible() && chance(0.7))
                return m_host->form(preview);
    return main;
}

bool Storm::forbidden(const host::Form& window, const host::Control* c) const
{
    // The menu's exit ends the program without a question: only exitYes uses it.
    return c && window.name() == std::string_view("Form3") && c->name() == std::string_view("Command1") &&
           c->index() == 3;
}

const host::Control* Storm::pickControl(host::Form& window)
{
    std::vector<const host::Control*> candidates;
    for (const auto& c : window.controls()) {
        const bool pointable = c->kind() == host::Kind::Image || c->kind() == host::Kind::Label ||
                               c->kind() == host::Kind::PictureBox || c->kind() == host::Kind::PictureButton;
        if (pointable && c->visible() && !forbidden(window, c.get()))
            candidates.push_back(c.get());
    }
    if (candidates.empty() || chance(0.25))
        return nullptr;
    return candidates[size_t(below(int(candidates.size())))];
}

std::string Storm::anyEvent(host::Form& window)
{
    // A timer's tick whenever the storm likes, not only after its interval.
    for (const auto& c : window.controls())
        if (c->kind() == host::Kind::Timer && chance(0.05)) {
            const std::string what = "tick of " + describe(window, c.get());
            window.raiseEvent(host::Event::Timer, c.get());
            return what;
        }
    const double r = std::uniform_real_distribution<double>(0, 1)(m_rng);
    if (r < 0.55)
        return raiseEvent(window);
    if (r < 0.88)
        return realEvent(window, false);
    if (r < 0.92)
        return closeRequest(window);
    return shortcut(window);
}

std::string Storm::raiseEvent(host::Form& window)
{
    static constexpr host::Event kEvents[] = {host::Event::MouseMove, host::Event::MouseMove, host::Event::MouseMove,
                                              host::Event::Click,     host::Event::Click,     host::Event::DblClick,
                                              host::Event::MouseDown, host::Event::MouseDown};
    const host::Event event = kEvents[below(8)];
    const host::Control* target = pickControl(window);
    const float w = target ? target->width() : window.width();
    const float h = target ? target->height() : window.height();
    const bool far = chance(0.1);
    const host::MouseArgs args{below(2) ? 0 : 1 << below(3), chance(0.1) ? below(8) : 0,
                               far ? between(-1e5f, 1e5f) : between(0, w), far ? between(-1e5f, 1e5f) : between(0, h)};
    const std::string what = std::string("raise ") + host::eventName(event) + " " + describe(window, target) + at(args.x, args.y);
    window.raiseEvent(event, target, args);
    return what;
}

void Storm::sendMouse(QWidget* widget, int kind, QPointF point, bool queued)
{
    const Qt::MouseButton button = chance(0.8) ? Qt::LeftButton : chance(0.5) ? Qt::RightButton : Qt::MiddleButton;
    const Qt::KeyboardModifiers modifiers = chance(0.1) ? Qt::ShiftModifier : Qt::NoModifier;
    QPointer<QWidget> guard(widget);
    auto deliver = [&](QEvent::Type type, Qt::MouseButton b, Qt::MouseButtons held) {
        if (!guard)
            return;
        const QPointF global = guard->mapToGlobal(point);
        if (queued) {
            QCoreApplication::postEvent(guard, new QMouseEvent(type, point, global, b, held, modifiers));
        } else {
            QMouseEvent e(type, point, global, b, held, modifiers);
            QCoreApplication::sendEvent(guard, &e);
        }
    };
    ++m_figures.real;
    switch (kind) {
    case Move:
        deliver(QEvent::MouseMove, Qt::NoButton, chance(0.1) ? Qt::MouseButtons(button) : Qt::NoButton);
        break;
    case Click:
        deliver(QEvent::MouseButtonPress, button, button);
        deliver(QEvent::MouseButtonRelease, button, Qt::NoButton);
        break;
    case DoubleClick:
        deliver(QEvent::MouseButtonPress, button, button);
        deliver(QEvent::MouseButtonRelease, button, Qt::NoButton);
        deliver(QEvent::MouseButtonDblClick, button, button);
        deliver(QEvent::MouseButtonRelease, button, Qt::NoButton);
        break;
    default:
        deliver(QEvent::MouseButtonPress, button, button);
        break;
    }
}

std::string Storm::realEvent(host::Form& window, bool queued)
{
    static constexpr const char* kNames[] = {"move", "click", "double click", "press"};
    QWidget* top = window.widget();
    const QPointF point(between(-4, float(top->width()) + 4), between(-4, float(top->height()) + 4));
    QWidget* child = top->childAt(point.toPoint());
    if (!child)
        child = top;
    int kind = chance(0.5) ? Move : chance(0.6) ? Click : chance(0.5) ? DoubleClick : Press;
    if (window.name() == std::string_view("Form3") && child == window.button("Command1", 3).widget())
        kind = Move;
    const QPointF local = child->mapFrom(top, point);
    std::string what = std::string(queued ? "queued " : "real ") + kNames[kind] + " " + window.name() + "/" +
                       child->metaObject()->className() + at(float(local.x()), float(local.y()));
    sendMouse(child, kind, local, queued);
    return what;
}

std::string Storm::closeRequest(host::Form& window)
{
    window.widget()->close();
    return std::string("close request on ") + window.name();
}

std::string Storm::shortcut(host::Form& window)
{
    const QList<QShortcut*> shortcuts = window.widget()->findChildren<QShortcut*>();
    if (shortcuts.isEmpty())
        return raiseEvent(window);
    QShortcut* chosen = shortcuts[below(int(shortcuts.size()))];
    const std::string what = "shortcut " + chosen->key().toString().toStdString() + " on " + window.name();
    emit chosen->activated();
    return what;
}

std::string Storm::clickControl(host::Form& window, const char* name, int index)
{
    const std::string what = std::string("raise Click ") + window.name() + "." + name;
    window.raiseEvent(host::Event::Click, name, index);
    return what;
}

std::string Storm::leavePage()
{
    const int page = pageShown();
    if (page == 0)
        return anyEvent(pickWindow());
    if (m_host->nesting() > 0)
        ++m_figures.leftInPause;
    const bool forward = page == 1 || (page < 8 && chance(0.5));
    const char* name = forward ? "ImgFor" : "ImgBack";
    host::Form& window = mainWindow();
    const double r = std::uniform_real_distribution<double>(0, 1)(m_rng);
    if (r < 0.5)
        return clickControl(window, name, -1);
    if (r < 0.8) {
        // During a yield, half of them queued: delivered by the yield's own event processing,
        // as a click of the user's would be.
        const bool queued = m_host->nesting() > 0 && chance(0.5);
        const QPointF centre = window.control(name).pixelRect().center();
        sendMouse(window.widget(), Click, centre, queued);
        return std::string(queued ? "queued click " : "real click ") + window.name() + "." + name;
    }
    const QKeySequence keys(forward ? (Qt::ALT | Qt::Key_Right) : (Qt::ALT | Qt::Key_Left));
    for (QShortcut* s : window.widget()->findChildren<QShortcut*>())
        if (s->key() == keys) {
            emit s->activated();
            return "shortcut " + keys.toString().toStdString() + " on " + window.name();
        }
    return clickControl(window, name, -1);
}

std::string Storm::simulationEvent()
{
    const int page = pageShown();
    if (page != 4 && page != 6 && page != 8)
        return anyEvent(pickWindow());
    if (m_host->nesting() > 0)
        ++m_figures.reentries;
    host::Form& window = mainWindow();
    const bool real = chance(0.3);
    if (page == 4) {
        if (!real)
            return clickControl(window, "Imgballmain", 3);
        sendMouse(window.widget(), Click, window.image("Imgballmain", 3).pixelRect().center(), false);
        return "real click Frm4.Imgballmain(3)";
    }
    if (real) {
        QWidget* desk = window.pictureBox("Picture1").widget();
        const QPointF point(between(0, float(desk->width())), between(0, float(desk->height())));
        sendMouse(desk, Move, point, false);
        return std::string("real move ") + window.name() + ".Picture1" + at(float(point.x()), float(point.y()));
    }
    const host::MouseArgs args{0, 0, between(-500, 3900), between(-500, 3900)};
    window.raiseEvent(host::Event::MouseMove, "Picture1", -1, args);
    return std::string("raise MouseMove ") + window.name() + ".Picture1" + at(args.x, args.y);
}

std::string Storm::exitYes()
{
    m_endExpected = true;
    m_desktop->answers.assign(1, host::mb::Yes);
    host::Form& window = mainWindow();
    if (window.name() == std::string_view("Form3") && chance(0.5))
        return clickControl(window, "Command1", 3) + " (the menu's exit)";
    if (pageShown() > 0 && chance(0.6))
        return clickControl(window, "ImgExit", -1) + ", answered Yes";
    return closeRequest(pickWindow()) + ", answered Yes";
}
