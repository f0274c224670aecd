#include "host/accessibility.h"

#include "host/stage.h"
#include "host/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

namespace host {

namespace {

// The painted controls of a container that act as buttons, front to back.
std::vector<const Control*> buttonsOf(const ContainerWidget* container)
{
    std::vector<const Control*> buttons;
    if (!container->current())
        return buttons;
    for (const auto& c : container->form().controls())
        if (c->container() == container->self() && c->takesMouse() && c->stored().toolTip)
            buttons.push_back(c.get());
    return buttons;
}

class ButtonAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ButtonAccessible(ContainerWidget* container, std::string name, int index)
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
    QAccessible::Role role() const override { return QAccessible::Button; }

    QString text(QAccessible::Text t) const override
    {
        const Control* c = control();
        return c && (t == QAccessible::Name || t == QAccessible::Description) ? QString::fromUtf8(c->stored().toolTip)
                                                                                 : QString();
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
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && control())
            m_container->form().raise(Event::Click, m_name, m_index);
    }

private:
    const Control* control() const
    {
        if (!m_container)
            return nullptr;
        for (const Control* c : buttonsOf(m_container))
            if (m_name == c->name() && m_index == c->index())
                return c;
        return nullptr;
    }

    QPointer<ContainerWidget> m_container;
    std::string m_name;
    int m_index;
};

// Child widgets as assistive technology should see them: only those shown.
QList<QWidget*> shownChildren(const QWidget* widget)
{
    QList<QWidget*> shown;
    for (QObject* child : widget->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow() && !w->isHidden())
            shown.push_back(w);
    return shown;
}

// A window or picture box: its shown child widgets, then its painted buttons. A window of
// the program is a window to a screen reader, named by its title, though to the desktop
// it is a part of the one top-level window.
class ContainerAccessible : public QAccessibleWidget {
public:
    explicit ContainerAccessible(ContainerWidget* widget)
        : QAccessibleWidget(widget, widget->self() ? QAccessible::Client : QAccessible::Window)
    {
    }

    int childCount() const override { return int(shownChildren(widget()).size() + buttonsOf(container()).size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> widgets = shownChildren(widget());
        if (index < 0)
            return nullptr;
        if (index < widgets.size())
            return QAccessible::queryAccessibleInterface(widgets[index]);
        const auto buttons = buttonsOf(container());
        const size_t i = size_t(index - widgets.size());
        return i < buttons.size() ? buttonInterface(buttons[i]) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child)
                return i;
        return -1;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (!container()->self()) {
            const auto* stage = dynamic_cast<const Stage*>(widget()->parentWidget());
            state.active = stage && stage->isActiveWindow() && stage->front() == widget();
        }
        return state;
    }

private:
    ContainerWidget* container() const { return static_cast<ContainerWidget*>(widget()); }

    // One interface per button for the life of its widget, as the registry expects.
    QAccessibleInterface* buttonInterface(const Control* c) const
    {
        const QString key = QStringLiteral("vantrel-button-%1-%2").arg(QString::fromUtf8(c->name())).arg(c->index());
        const QVariant id = container()->property(key.toUtf8());
        if (id.isValid())
            if (QAccessibleInterface* existing = QAccessible::accessibleInterface(id.value<QAccessible::Id>()))
                return existing;
        auto* iface = new ButtonAccessible(container(), c->name(), c->index());
        const QAccessible::Id newId = QAccessible::registerAccessibleInterface(iface);
        container()->setProperty(key.toUtf8(), QVariant::fromValue(newId));
        QObject::connect(container(), &QObject::destroyed, [newId] { QAccessible::deleteAccessibleInterface(newId); });
        return iface;
    }
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
        return child ? int(windows().indexOf(child->object())) : -1;
    }

private:
    QList<QWidget*> windows() const
    {
        QList<QWidget*> front;
        const QList<QWidget*> shown = shownChildren(widget());
        for (auto it = shown.rbegin(); it != shown.rend(); ++it)
            if (auto* window = dynamic_cast<FormWidget*>(*it); window && !window->fills())
                front.push_back(window);
        return front;
    }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    if (auto* stage = dynamic_cast<Stage*>(object))
        return new StageAccessible(stage);
    if (auto* container = dynamic_cast<ContainerWidget*>(object))
        return new ContainerAccessible(container);
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
