#include "host/accessibility.h"

#include "host/focus.h"
#include "host/stage.h"
#include "host/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace host {

namespace {

const Control* find(const Form& form, std::string_view name, int index)
{
    for (const auto& c : form.controls())
        if (name == c->name() && index == c->index())
            return c.get();
    return nullptr;
}

bool clickable(const Form& form, const Control& c) { return form.hasHandler(Event::Click, c.name()); }

// What assistive technology is told a control is.
QAccessible::Role roleOf(const Form& form, const Control& c)
{
    switch (c.stored().access) {
    case Access::Heading: return QAccessible::Heading;
    case Access::Link: return QAccessible::Link;
    default: break;
    }
    switch (c.kind()) {
    case Kind::Label: return QAccessible::StaticText;
    case Kind::Image: return clickable(form, c) ? QAccessible::Button : QAccessible::Graphic;
    case Kind::PictureButton: return QAccessible::Button;
    case Kind::PictureBox: return pictureOf(c).isNull() ? QAccessible::Canvas : QAccessible::Graphic;
    default: return QAccessible::NoRole;
    }
}

// What it shows and how it is used; while it changes, what is happening first.
QString descriptionOf(const Form& form, const Control& c)
{
    QString base = c.stored().description ? QString::fromUtf8(c.stored().description) : QString();
    if (base.isEmpty() && !c.stored().toolTip && (c.kind() == Kind::Image || c.kind() == Kind::PictureBox))
        base = pictureOf(c).words().description;
    const QString live = form.announcement(c);
    return live.isEmpty() ? base : base.isEmpty() ? live : live + QLatin1Char(' ') + base;
}

bool exposed(const Control& c)
{
    if (!c.visible() || c.stored().access == Access::Hidden)
        return false;
    switch (c.kind()) {
    case Kind::Label:
    case Kind::RichTextBox:
    case Kind::PictureButton: return true;
    case Kind::Image: return !pictureOf(c).words().decorative || c.stored().tabIndex >= 0;
    case Kind::PictureBox: return !pictureOf(c).isNull() || c.stored().tabIndex >= 0;
    default: return false;
    }
}

// A click as assistive technology asks for it: queued, so the caller has its answer at
// once and the click then runs as a real one would, long animations included.
void clickLater(QObject* context, Form& form, std::string name, int index)
{
    // The windows live as long as the program; a click for a window loaded afresh since
    // is dropped.
    QTimer::singleShot(0, context, [&form, name = std::move(name), index, generation = form.generation()] {
        if (form.isLoaded() && form.generation() == generation)
            form.raiseEvent(Event::Click, name, index);
    });
}

// The painted controls that take no keyboard focus: text, headings and pictures.
class PaintedAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PaintedAccessible(ContainerWidget* container, std::string name, int index)
        : m_container(container), m_name(std::move(name)), m_index(index)
    {
    }

    bool isValid() const override { return control() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_container ? m_container->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_container.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return control() ? roleOf(form(), *control()) : QAccessible::NoRole; }

    QString text(QAccessible::Text t) const override
    {
        const Control* c = control();
        if (!c)
            return {};
        if (t == QAccessible::Name)
            return form().accessibleName(*c);
        if (t == QAccessible::Description)
            return descriptionOf(form(), *c);
        return t == QAccessible::Value && c->kind() == Kind::Label ? static_cast<const Label*>(c)->caption() : QString();
    }

    QRect rect() const override
    {
        const Control* c = control();
        if (!c)
            return {};
        const QRect local = c->pixelRect().toAlignedRect();
        return QRect(m_container->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        const Control* c = control();
        state.invisible = !c || !c->visible();
        state.readOnly = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface && control() && clickable(form(), *control())
                   ? static_cast<QAccessibleActionInterface*>(this)
                   : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override
    {
        const Control* c = control();
        return c ? form().keysOf(*c) : QStringList();
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && control())
            clickLater(m_container, m_container->form(), m_name, m_index);
    }

private:
    // Valid while control() is.
    const Form& form() const { return m_container->form(); }
    const Control* control() const
    {
        return m_container && m_container->current() ? find(m_container->form(), m_name, m_index) : nullptr;
    }

    QPointer<ContainerWidget> m_container;
    std::string m_name;
    int m_index;
};

// One registered interface per painted control for the life of its container's widget,
// as the registry expects.
QAccessibleInterface* paintedInterface(ContainerWidget* container, const Control& c)
{
    const QByteArray key = QStringLiteral("vantrel-painted-%1-%2").arg(QString::fromUtf8(c.name())).arg(c.index()).toUtf8();
    const QVariant id = container->property(key);
    if (id.isValid())
        if (QAccessibleInterface* existing = QAccessible::accessibleInterface(id.value<QAccessible::Id>()))
            return existing;
    auto* iface = new PaintedAccessible(container, c.name(), c.index());
    const QAccessible::Id newId = QAccessible::registerAccessibleInterface(iface);
    container->setProperty(key, QVariant::fromValue(newId));
    QObject::connect(container, &QObject::destroyed, [newId] { QAccessible::deleteAccessibleInterface(newId); });
    return iface;
}

// What a container offers, in reading order: top to bottom, then left to right.
std::vector<QAccessibleInterface*> entriesOf(ContainerWidget* container)
{
    struct Entry {
        QRectF rect;
        QAccessibleInterface* iface;
    };
    std::vector<Entry> entries;
    if (!container->current())
        return {};
    for (const auto& c : container->form().controls()) {
        if (c->container() != container->self() || !exposed(*c))
            continue;
        QWidget* w = c->focusWidget();
        QAccessibleInterface* iface =
            w ? QAccessible::queryAccessibleInterface(w) : c->isLightweight() ? paintedInterface(container, *c) : nullptr;
        if (iface && (!w || !w->isHidden()))
            entries.push_back({c->pixelRect(), iface});
    }
    // Within a row of about a line's height the one further left comes first.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (std::abs(a.rect.top() - b.rect.top()) > 12)
            return a.rect.top() < b.rect.top();
        return a.rect.left() < b.rect.left();
    });
    std::vector<QAccessibleInterface*> out;
    for (const Entry& e : entries)
        out.push_back(e.iface);
    return out;
}

// The control behind a widget of a window: its own widget or its focus stand-in.
const Control* controlOf(const QWidget* widget, const Form& form)
{
    for (const auto& c : form.controls())
        if (c->widget() == widget || c->proxy() == widget)
            return c.get();
    return nullptr;
}

// A window, a picture box, a picture button or a painted control's stand-in: named,
// described and pressed as its control says. A window of the program is a window to a
// screen reader, named by its title, though to the desktop it is part of the one
// top-level window.
class ControlWidgetAccessible : public QAccessibleWidget {
public:
    ControlWidgetAccessible(QWidget* widget, Form& form, QAccessible::Role role)
        : QAccessibleWidget(widget, role), m_form(form)
    {
    }

    QAccessible::Role role() const override
    {
        const Control* c = control();
        return c ? roleOf(m_form, *c) : QAccessibleWidget::role();
    }

    QString text(QAccessible::Text t) const override
    {
        const Control* c = control();
        if (c && t == QAccessible::Name)
            return m_form.accessibleName(*c);
        if (c && t == QAccessible::Description)
            return descriptionOf(m_form, *c);
        if (!c && t == QAccessible::Description && isWindow())
            return m_form.windowPicture().words().description;
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return int(entries().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const auto e = entries();
        return index >= 0 && size_t(index) < e.size() ? e[size_t(index)] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto e = entries();
        const auto it = std::find(e.begin(), e.end(), child);
        return it == e.end() ? -1 : int(it - e.begin());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (isWindow()) {
            const auto* stage = dynamic_cast<const Stage*>(widget()->parentWidget());
            state.active = stage && stage->isActiveWindow() && stage->front() == widget();
        }
        return state;
    }

    // The press of a button, a link or a window that a click hides; taking the focus, as
    // the base offers, stays.
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        names.removeAll(pressAction());
        if (pressable())
            names.prepend(pressAction());
        return names;
    }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        const Control* c = control();
        return c && action == pressAction() ? m_form.keysOf(*c) : QStringList();
    }
    void doAction(const QString& action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (!pressable())
            return;
        const Control* c = control();
        clickLater(widget(), m_form, c ? c->name() : kWindow, c ? c->index() : -1);
    }

private:
    bool isWindow() const { return dynamic_cast<const FormWidget*>(widget()) != nullptr; }
    const Control* control() const { return isWindow() || !m_form.isLoaded() ? nullptr : controlOf(widget(), m_form); }
    bool pressable() const
    {
        const Control* c = control();
        return c ? clickable(m_form, *c) : isWindow() && m_form.hasHandler(Event::Click, kWindow);
    }
    std::vector<QAccessibleInterface*> entries() const
    {
        auto* container = dynamic_cast<ContainerWidget*>(widget());
        return container ? entriesOf(container) : std::vector<QAccessibleInterface*>();
    }

    Form& m_form;
};

// The top-level window: the backdrop, named "Vantrel", holding the windows that are
// shown, the one in front first.
class StageAccessible : public QAccessibleWidget {
public:
    explicit StageAccessible(Stage* stage) : QAccessibleWidget(stage, QAccessible::Window) {}

    int childCount() const override { return int(windows().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> w = windows();
        return index >= 0 && index < w.size() ? QAccessible::queryAccessibleInterface(w[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const QList<QWidget*> w = windows();
        for (int i = 0; i < w.size(); ++i)
            if (child && child->object() == w[i])
                return i;
        return -1;
    }

private:
    QList<QWidget*> windows() const
    {
        QList<QWidget*> front;
        const QObjectList& stack = widget()->children(); // back to front
        for (auto it = stack.rbegin(); it != stack.rend(); ++it)
            if (auto* window = dynamic_cast<FormWidget*>(*it); window && !window->isHidden() && !window->fills())
                front.push_back(window);
        return front;
    }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    if (auto* stage = dynamic_cast<Stage*>(object))
        return new StageAccessible(stage);
    if (auto* container = dynamic_cast<ContainerWidget*>(object))
        return new ControlWidgetAccessible(container, container->form(),
                                           container->self() ? QAccessible::Canvas : QAccessible::Window);
    if (auto* proxy = dynamic_cast<ControlProxy*>(object))
        return new ControlWidgetAccessible(proxy, proxy->form(), QAccessible::Button);
    if (auto* button = dynamic_cast<ButtonWidget*>(object))
        return new ControlWidgetAccessible(button, button->form(), QAccessible::Button);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(factory);
        installed = true;
    }
}

} // namespace host
