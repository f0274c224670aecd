#include "host/form.h"

#include "host/accessibility.h"
#include "host/error.h"
#include "host/focus.h"
#include "host/host.h"
#include "host/pointers.h"
#include "host/stage.h"
#include "host/widgets.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QPalette>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <deque>
#include <optional>

namespace host {

struct Form::State {
    std::vector<std::unique_ptr<Control>> controls;
    QPointer<FormWidget> widget;
    float width = 0, height = 0;
    QColor back;
    Picture picture;
    int dpi = 96;
    bool placed = false;
    // What each control last said to assistive technology, and what waits to be said.
    struct Live {
        QString said;
        std::deque<QString> waiting;
        QElapsedTimer since;
        QPointer<QTimer> timer;
    };
    std::map<std::pair<std::string, int>, Live> live;
};

namespace {

const std::vector<std::unique_ptr<Control>> kNoControls;

constexpr qint64 kAnnouncementGapMs = 1000;

} // namespace

Form::Form(Host& host, const StoredWindow& layout) : m_host(host), m_layout(layout) { m_host.registerForm(*this); }

Form::~Form()
{
    m_host.unregisterForm(*this);
    // At the end of the run no event loop will delete the widgets later.
    if (m_state)
        m_dying.push_back(std::move(m_state));
    for (auto& s : m_dying)
        delete s->widget.data();
}

void Form::Load()
{
    if (m_state)
        return;
    if (m_host.ending())
        throw Stop{};
    auto state = std::make_unique<State>();
    state->dpi = m_host.pixelsPerInch();
    state->width = m_layout.width;
    state->height = m_layout.height;
    state->back = colourFromHex(m_layout.backColour);
    if (m_layout.picture)
        state->picture = Picture::fromAsset(m_layout.picture);
    // The window counts as loaded before its controls and its load handler, so that a
    // reference from inside the load does not load it a second time.
    m_state = std::move(state);
    ++m_generation;
    try {
        for (const StoredControl& stored : m_layout.controls)
            m_state->controls.push_back(std::make_unique<Control>(*this, stored));
        for (auto& c : m_state->controls)
            if (c->stored().container)
                c->setContainer(&control(c->stored().container));
        buildWidgets();
    } catch (...) {
        m_state.reset();
        ++m_generation;
        throw;
    }
    m_host.dispatch(*this, [this] { Form_Load(); });
}

void Form::buildWidgets()
{
    auto* window = new FormWidget(*this, &m_host.stage());
    m_state->widget = window;
    window->setWindowTitle(QString::fromUtf8(m_layout.title ? m_layout.title : m_layout.name));
    window->setAccessibleName(window->windowTitle());
    window->place();
    // Containers before what they hold: the layout lists a picture box before its content.
    for (auto& c : m_state->controls)
        createWidget(*c, window);
    arrangeWidgets();
    for (const Shortcut& s : m_shortcuts) {
        // Every window lives in the one top-level window: a shortcut belongs to the window
        // that has the keyboard, not to all of them.
        auto* shortcut = new QShortcut(s.keys, window, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window, [this, generation = m_generation, h = s.handler] {
            if (generation == m_generation)
                m_host.dispatch(*this, h);
        });
    }
    window->setBackground(m_state->back);
}

std::function<void()> Form::eventOf(const Control& c, Event event)
{
    // Signals of a released window's widgets may still arrive: they must not reach a
    // later load of the window.
    return [this, event, generation = m_generation, name = std::string(c.name()), index = c.index()] {
        if (generation == m_generation)
            raise(event, name, index);
    };
}

void Form::createWidget(Control& c, QWidget* window)
{
    QWidget* parent = c.container() ? c.container()->widget() : window;
    const char* toolTip = c.stored().toolTip;
    switch (c.kind()) {
    case Kind::PictureBox: {
        auto* box = new ContainerWidget(*this, &c, parent);
        box->setFocusPolicy(c.stored().tabIndex >= 0 ? Qt::StrongFocus : Qt::NoFocus);
        box->setCursor(cursorFor(c.stored().pointer));
        if (toolTip)
            box->setToolTip(QString::fromUtf8(toolTip));
        c.setWidget(box);
        break;
    }
    case Kind::RichTextBox: {
        auto* edit = new TextBoxWidget(parent);
        edit->setFont(c.font());
        edit->setAccessibleName(accessibleNameOf(c));
        c.setWidget(edit);
        break;
    }
    case Kind::PictureButton: {
        auto* button = new ButtonWidget(*this, parent);
        // The face around the picture has the button's own colour.
        QPalette face = button->palette();
        face.setColor(QPalette::Button, colourFromHex(c.stored().backColour));
        button->setPalette(face);
        if (!c.picture().isNull()) {
            button->setIcon(c.picture().icon());
            button->setIconSize(c.picture().size());
        }
        if (toolTip)
            button->setToolTip(QString::fromUtf8(toolTip));
        QObject::connect(button, &QPushButton::clicked, button, eventOf(c, Event::Click));
        c.setWidget(button);
        break;
    }
    case Kind::Timer: {
        auto* timer = new QTimer(window);
        QObject::connect(timer, &QTimer::timeout, window, eventOf(c, Event::Timer));
        c.setTimer(timer);
        c.setEnabled(c.enabled());
        break;
    }
    case Kind::Image:
    case Kind::Label:
        // A painted control that the keyboard reaches: a stand-in takes the focus for it.
        if (c.stored().tabIndex >= 0)
            c.setProxy(new ControlProxy(*this, c, parent));
        break;
    default:
        break;
    }
}

void Form::arrangeWidgets()
{
    auto& controls = m_state->controls;
    // Geometry first, containers before what they hold (the layout lists a picture box
    // before its content), then stacking, which follows the stored front-to-back order.
    for (auto& c : controls)
        c->syncWidget();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if (QWidget* w = (*it)->widget())
            w->raise();
    // The focus stand-ins of painted controls lie over every widget, to show their ring.
    for (auto& c : controls)
        if (QWidget* proxy = c->proxy())
            proxy->raise();
    std::vector<Control*> focusable;
    for (auto& c : controls)
        if (c->focusWidget() && c->stored().tabIndex >= 0)
            focusable.push_back(c.get());
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const Control* a, const Control* b) { return a->stored().tabIndex < b->stored().tabIndex; });
    for (size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1]->focusWidget(), focusable[i]->focusWidget());
}

void Form::Show()
{
    Load();
    FormWidget* window = m_state ? m_state->widget.data() : nullptr;
    if (!window)
        return;
    Stage& stage = m_host.stage();
    if (!m_state->placed) {
        window->place();
        // The window that fills the stage gives it its title and icon, the taskbar's and
        // the task switcher's. Set at the first showing, as the icon wakes the font system.
        if (window->fills()) {
            stage.setWindowTitle(window->windowTitle());
            if (m_layout.icon)
                stage.setWindowIcon(Picture::iconOf(m_layout.icon));
        }
        m_state->placed = true;
    }
    window->show();
    if (window->fills())
        window->lower();
    else
        window->raise();
    stage.present();
    stage.focusFront();
}

void Form::Hide()
{
    if (m_state && m_state->widget && !m_state->widget->isHidden()) {
        m_state->widget->hide();
        m_host.stage().focusFront();
    }
}

void Form::Unload()
{
    if (!m_state)
        return;
    const bool shown = m_state->widget && !m_state->widget->isHidden();
    if (m_state->widget)
        m_state->widget->hide();
    m_dying.push_back(std::move(m_state));
    ++m_generation;
    if (m_depth == 0)
        releaseDying();
    if (shown && !m_host.ending())
        m_host.stage().focusFront();
}

void Form::closeForEnd() { Unload(); }

void Form::leaveHandler()
{
    if (--m_depth == 0 && !m_dying.empty())
        releaseDying();
}

void Form::releaseDying()
{
    // The widget may be inside the event that ended the last handler: delete it from
    // the event loop. Its controls are ours and no handler of this window runs now.
    for (auto& s : m_dying)
        if (s->widget) {
            s->widget->hide();
            s->widget->deleteLater();
        }
    m_dying.clear();
}

bool Form::isVisible() const { return m_state && m_state->widget && m_state->widget->isVisible(); }

Control& Form::control(std::string_view name, int index)
{
    Load();
    for (auto& c : m_state->controls)
        if (name == c->name() && index == c->index())
            return *c;
    std::string message = std::string(m_layout.name) + " has no control ";
    message += name;
    if (index >= 0) {
        message += '(';
        message += std::to_string(index);
        message += ')';
    }
    throw Error(message + ".");
}

bool Form::hasControl(std::string_view name, int index)
{
    Load();
    for (auto& c : m_state->controls)
        if (name == c->name() && index == c->index())
            return true;
    return false;
}

float Form::width()
{
    Load();
    return m_state->width;
}

float Form::height()
{
    Load();
    return m_state->height;
}

void Form::setWidth(float twips)
{
    Load();
    m_state->width = twips;
    if (m_state->widget)
        m_state->widget->place();
}

void Form::setHeight(float twips)
{
    Load();
    m_state->height = twips;
    if (m_state->widget)
        m_state->widget->place();
}

long Form::backColor()
{
    Load();
    return colourToLong(m_state->back);
}

void Form::setBackColor(long colour)
{
    Load();
    m_state->back = colourFromLong(colour);
    if (m_state->widget)
        m_state->widget->setBackground(m_state->back);
}

quintptr Form::hDC()
{
    Load();
    return quintptr(m_state.get());
}

QImage Form::grabImage() { return widget()->grab().toImage(); }

QWidget* Form::widget()
{
    Load();
    return m_state->widget;
}

qreal Form::devicePixelRatio() const
{
    return m_state && m_state->widget ? m_state->widget->devicePixelRatioF() : m_host.stage().devicePixelRatioF();
}

float Form::twipsPerPixel() const { return 1440.0f / float(m_state ? m_state->dpi : 96); }

const std::vector<std::unique_ptr<Control>>& Form::controls() const
{
    return m_state ? m_state->controls : kNoControls;
}

QColor Form::background() const { return m_state ? m_state->back : QColor(Qt::white); }

Picture Form::windowPicture() const { return m_state ? m_state->picture : Picture(); }

QRect Form::placement() const
{
    const QSize area = m_host.stage().size();
    if (m_layout.maximized)
        return QRect(QPoint(0, 0), area);
    const QSize size(int(std::lround(m_state->width / twipsPerPixel())), int(std::lround(m_state->height / twipsPerPixel())));
    return QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size);
}

void Form::raise(Event event, const Control* target, const MouseArgs& args)
{
    const auto it = m_handlers.find({target ? std::string(target->name()) : std::string(kWindow), event});
    if (it == m_handlers.end())
        return;
    const Handler handler = it->second;
    const int index = target ? target->index() : -1;
    m_host.dispatch(*this, [&] { handler(index, args); });
}

void Form::raise(Event event, std::string_view name, int index, const MouseArgs& args)
{
    if (name == kWindow) {
        raise(event, nullptr, args);
        return;
    }
    if (!m_state || !hasHandler(event, name))
        return;
    for (auto& c : m_state->controls)
        if (name == c->name() && index == c->index()) {
            raise(event, c.get(), args);
            return;
        }
}

bool Form::hasHandler(Event event, std::string_view name) const
{
    return m_handlers.count({std::string(name), event}) > 0;
}

void Form::addShortcut(const QKeySequence& keys, std::function<void()> handler, std::string_view control)
{
    m_shortcuts.push_back({keys, std::move(handler), std::string(control)});
}

QStringList Form::keysOf(const Control& control) const
{
    QStringList keys;
    for (const Shortcut& s : m_shortcuts)
        if (s.control == control.name())
            keys.push_back(s.keys.toString(QKeySequence::NativeText));
    return keys;
}

QString Form::toolTipOf(const Control& control) const
{
    if (!control.stored().toolTip)
        return {};
    const QString tip = QString::fromUtf8(control.stored().toolTip);
    const QStringList keys = keysOf(control);
    return keys.isEmpty() ? tip : QStringLiteral("%1 (%2)").arg(tip, keys.front());
}

void Form::announce(const Control& control, const QString& text)
{
    if (!m_state)
        return;
    // A second between two announcements, in the order they came; when they come faster,
    // as during continuous movement, the oldest waiting ones give way, so the latest states
    // are said, and the last one always.
    constexpr qint64 kGapMs = kAnnouncementGapMs;
    constexpr size_t kWaiting = 3;
    const auto key = std::make_pair(std::string(control.name()), control.index());
    State::Live& live = m_state->live[key];
    if (text == (live.waiting.empty() ? live.said : live.waiting.back()))
        return;
    live.waiting.push_back(text);
    while (live.waiting.size() > kWaiting)
        live.waiting.pop_front();
    if (!live.timer && m_state->widget) {
        live.timer = new QTimer(m_state->widget);
        live.timer->setSingleShot(true);
        QObject::connect(live.timer, &QTimer::timeout, m_state->widget, [this, key, generation = m_generation] {
            if (m_state && generation == m_generation)
                sayNext(key);
        });
    }
    if (!live.timer || live.timer->isActive())
        return;
    const qint64 elapsed = live.since.isValid() ? live.since.elapsed() : kGapMs;
    if (elapsed >= kGapMs)
        sayNext(key);
    else
        live.timer->start(int(kGapMs - elapsed));
}

void Form::sayNext(const std::pair<std::string, int>& key)
{
    State::Live& live = m_state->live[key];
    if (live.waiting.empty())
        return;
    live.said = live.waiting.front();
    live.waiting.pop_front();
    live.since.start();
    if (!live.waiting.empty())
        live.timer->start(1000);
    for (const auto& c : m_state->controls)
        if (key.first == c->name() && key.second == c->index())
            if (QWidget* w = c->focusWidget()) {
                QAccessibleEvent event(w, QAccessible::DescriptionChanged);
                QAccessible::updateAccessibility(&event);
            }
}

QString Form::announcement(const Control& control) const
{
    if (!m_state)
        return {};
    const auto it = m_state->live.find({control.name(), control.index()});
    return it == m_state->live.end() ? QString() : it->second.said;
}

void Form::closeRequested() { m_host.closeRequested(*this); }

namespace {

const char* eventName(Event event)
{
    switch (event) {
    case Event::Click: return "Click";
    case Event::DblClick: return "DblClick";
    case Event::MouseDown: return "MouseDown";
    case Event::MouseMove: return "MouseMove";
    case Event::Timer: return "Timer";
    case Event::KeyDown: return "KeyDown";
    case Event::GotFocus: return "GotFocus";
    }
    return "event";
}

// The events the widgets raise on each kind of control (and on the window itself).
bool raises(std::optional<Kind> kind, Event event)
{
    const bool pointed = !kind || *kind == Kind::Image || *kind == Kind::Label || *kind == Kind::PictureBox;
    switch (event) {
    case Event::Click: return pointed || *kind == Kind::PictureButton;
    case Event::DblClick:
    case Event::MouseDown:
    case Event::MouseMove: return pointed;
    case Event::KeyDown:
    case Event::GotFocus: return kind && pointed;
    case Event::Timer: return kind == Kind::Timer;
    }
    return false;
}

} // namespace

void Form::bind(Event event, std::string_view name, Handler handler)
{
    // A misspelt name or an event the control never raises would leave the handler dead
    // without a word: refuse it while the window is made.
    // Handlers go by name: one of the controls that bear it must raise the event.
    std::optional<Kind> kind;
    if (name != kWindow) {
        for (const StoredControl& c : m_layout.controls)
            if (name == c.name && (!kind || !raises(kind, event)))
                kind = c.kind;
        if (!kind)
            throw Error(std::string(m_layout.name) + " has no control " + std::string(name) + " for a " +
                        eventName(event) + " handler.");
    }
    if (!raises(kind, event))
        throw Error(std::string(m_layout.name) + (kind ? "." + std::string(name) + " is " + kindName(*kind) : "") +
                    (kind ? " and" : "") + " raises no " + eventName(event) + ".");
    m_handlers[{std::string(name), event}] = std::move(handler);
}

void Form::onClick(std::string_view name, std::function<void()> handler)
{
    bind(Event::Click, name, [h = std::move(handler)](int, const MouseArgs&) { h(); });
}

void Form::onClickIndexed(std::string_view name, std::function<void(int)> handler)
{
    bind(Event::Click, name, [h = std::move(handler)](int index, const MouseArgs&) { h(index); });
}

} // namespace host
