#include "host/form.h"

#include "host/error.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <deque>
#include <optional>

namespace host {

// One load of the window, and the owner of its controls: a control of a load that has
// been unloaded, still held by a running handler, tells nobody what it changes.
struct Form::State final : ControlOwner {
    explicit State(Form& form) : form(form) {}
    const char* name() const override { return form.name(); }
    float twipsPerPixel() const override { return 1440.0f / float(dpi); }
    qreal devicePixelRatio() const override { return widget ? widget->devicePixelRatioF() : form.m_host.devicePixelRatio(); }
    void changed(Control& control, const Change& change) override
    {
        if (form.m_state.get() == this)
            form.changed(control, change);
    }
    std::unique_ptr<Printer> print(const PrintSettings& settings) override { return form.m_host.printDialog(settings, form); }

    Form& form;
    std::vector<std::unique_ptr<Control>> controls;
    QPointer<QWidget> widget; // the view's; gone once the event loop deleted it
    FormView* view = nullptr;
    float width = 0, height = 0;
    QColor back;
    Picture picture;
    int dpi = 96;
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

Form::Form(WindowHost& host, const StoredWindow& layout) : m_host(host), m_layout(layout) { m_host.registerForm(*this); }

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
    auto state = std::make_unique<State>(*this);
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
            m_state->controls.push_back(Control::make(*m_state, stored));
        for (auto& c : m_state->controls)
            if (c->stored().container)
                c->setContainer(&control(c->stored().container));
        FormView& view = m_host.makeView(*this);
        m_state->view = &view;
        m_state->widget = view.widget();
    } catch (...) {
        m_state.reset();
        ++m_generation;
        throw;
    }
    m_host.dispatch(*this, [this] { Form_Load(); });
}

std::function<void()> Form::handlerFor(const Control& c, Event event)
{
    // Signals of a released window's widgets may still arrive: they must not reach a
    // later load of the window.
    return [this, event, generation = m_generation, name = std::string(c.name()), index = c.index()] {
        if (generation == m_generation)
            raiseEvent(event, name, index);
    };
}

std::function<void()> Form::shortcutHandler(const std::function<void()>& handler)
{
    return [this, generation = m_generation, handler] {
        if (generation == m_generation)
            m_host.dispatch(*this, handler);
    };
}

void Form::changed(Control& control, const Change& change)
{
    if (!m_state)
        return;
    if (m_state->widget)
        m_state->view->showChange(control, change);
    controlChanged(control);
}

void Form::Show()
{
    Load();
    if (m_state && m_state->widget)
        m_host.present(*this);
}

void Form::Hide()
{
    if (m_state && m_state->widget && !m_state->widget->isHidden()) {
        m_state->widget->hide();
        m_host.hidden(*this);
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
        m_host.hidden(*this);
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

Control* Form::lookup(std::string_view name, int index)
{
    Load();
    for (auto& c : m_state->controls)
        if (name == c->name() && index == c->index())
            return c.get();
    return nullptr;
}

Control& Form::control(std::string_view name, int index)
{
    if (Control* c = lookup(name, index))
        return *c;
    missing(name, index, std::nullopt);
}

bool Form::hasControl(std::string_view name, int index) { return lookup(name, index) != nullptr; }

namespace {

std::string idOf(std::string_view name, int index)
{
    return std::string(name) + (index >= 0 ? "(" + std::to_string(index) + ")" : std::string());
}

} // namespace

void Form::requireStored(std::string_view name, int index, std::optional<Kind> kind) const
{
    for (const StoredControl& c : m_layout.controls)
        if (name == c.name && index == c.index && (!kind || c.kind == *kind))
            return;
    missing(name, index, kind);
}

void Form::missing(std::string_view name, int index, std::optional<Kind> kind) const
{
    for (const StoredControl& c : m_layout.controls)
        if (name == c.name && index == c.index && kind && c.kind != *kind)
            throw Error(std::string(m_layout.name) + "." + idOf(name, index) + " is " + kindName(c.kind) + ", not " +
                        kindName(*kind) + ".");
    std::string what = "control";
    if (kind) {
        const std::string article = kindName(*kind); // "a picture box"
        what = article.substr(article.find(' ') + 1);
    }
    throw Error(std::string(m_layout.name) + " has no " + what + " " + idOf(name, index) + ".");
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
        m_state->view->place();
}

void Form::setHeight(float twips)
{
    Load();
    m_state->height = twips;
    if (m_state->widget)
        m_state->view->place();
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
        m_state->view->backgroundChanged();
}

quintptr Form::hDC()
{
    Load();
    return quintptr(m_state.get());
}

int Form::GetDeviceCaps(quintptr hdc, int index)
{
    if (!hdc)
        throw Error("There is no device context.");
    return index == LOGPIXELSX ? m_host.desktop().logicalDpi() : 0;
}

QImage Form::grabImage() { return widget()->grab().toImage(); }

QWidget* Form::widget()
{
    Load();
    return m_state->widget;
}

qreal Form::devicePixelRatio() const { return m_state ? m_state->devicePixelRatio() : m_host.devicePixelRatio(); }

float Form::twipsPerPixel() const { return m_state ? m_state->twipsPerPixel() : 1440.0f / 96.0f; }

const std::vector<std::unique_ptr<Control>>& Form::controls() const
{
    return m_state ? m_state->controls : kNoControls;
}

QColor Form::background() const { return m_state ? m_state->back : QColor(Qt::white); }

Picture Form::windowPicture() const { return m_state ? m_state->picture : Picture(); }

QSize Form::pixelSize() const
{
    if (!m_state)
        return {};
    return QSize(int(std::lround(m_state->width / twipsPerPixel())), int(std::lround(m_state->height / twipsPerPixel())));
}

void Form::raiseEvent(Event event, const Control* target, const MouseArgs& args)
{
    const auto it = m_handlers.find({target ? std::string(target->name()) : std::string(kWindow), event});
    if (it == m_handlers.end())
        return;
    const Handler handler = it->second;
    const int index = target ? target->index() : -1;
    m_host.dispatch(*this, [&] { handler(index, args); });
}

void Form::raiseEvent(Event event, std::string_view name, int index, const MouseArgs& args)
{
    if (name == kWindow) {
        raiseEvent(event, nullptr, args);
        return;
    }
    if (!m_state || !hasHandler(event, name))
        return;
    for (auto& c : m_state->controls)
        if (name == c->name() && index == c->index()) {
            raiseEvent(event, c.get(), args);
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
    for (const Key& s : m_shortcuts)
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

QString Form::accessibleName(const Control& c) const
{
    const StoredControl& s = c.stored();
    if (s.accessibleName)
        return QString::fromUtf8(s.accessibleName);
    if (s.labelledBy && m_state)
        for (const auto& label : m_state->controls)
            if (label->kind() == Kind::Label && s.labelledBy == std::string_view(label->name()) && label->index() == c.index())
                return static_cast<const Label&>(*label).caption();
    if (c.kind() == Kind::Label)
        return static_cast<const Label&>(c).caption();
    if (s.toolTip)
        return QString::fromUtf8(s.toolTip);
    if (c.kind() == Kind::Image || c.kind() == Kind::PictureBox)
        return pictureOf(c).words().name;
    return {};
}

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

namespace {

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
