#include "host/widgets.h"

#include "host/focus.h"
#include "host/host.h"
#include "host/pointers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>


namespace host {

namespace {

int buttonOf(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) | (buttons & Qt::MiddleButton ? 4 : 0);
}


} // namespace

ContainerWidget::ContainerWidget(Form& form, Control* self, QWidget* parent)
    : QWidget(parent), m_form(form), m_self(self), m_generation(form.generation())
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool ContainerWidget::current() const { return m_form.isLoaded() && m_form.generation() == m_generation; }

Control* ContainerWidget::hitTest(QPointF pos) const
{
    if (!current())
        return nullptr;
    for (auto& c : m_form.controls())
        if (c->container() == m_self && c->takesMouse() && c->pixelRect().contains(pos))
            return c.get();
    return nullptr;
}

void ContainerWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (!current()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    // One rectangle at a time keeps the painter on its fast paths: clipped to a region of
    // several, every fill and picture of the window would go through span clipping.
    constexpr int kMaxPasses = 6;
    const QRegion& region = event->region();
    if (region.rectCount() > kMaxPasses) {
        paintArea(painter, region.boundingRect());
        return;
    }
    for (const QRect& area : region)
        paintArea(painter, area);
}

void ContainerWidget::paintArea(QPainter& painter, const QRect& area)
{
    painter.setClipRect(area);
    if (m_self) {
        painter.fillRect(area, host::colourFromLong(m_self->backColor()));
        if (!m_self->picture().isNull())
            m_self->picture().draw(painter, QPointF(0, 0));
    } else {
        painter.fillRect(area, m_form.background());
        m_form.windowPicture().draw(painter, QPointF(0, 0));
    }
    // Only what reaches into the area: laying out a label's text costs as much as painting
    // the rest of the window.
    const auto& controls = m_form.controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if ((*it)->container() == m_self && (*it)->isLightweight() && (*it)->paintedBounds().intersects(area))
            (*it)->paint(painter);
    for (const auto& c : controls)
        if (c->container() == m_self)
            c->paintBorder(painter);
}

bool ContainerWidget::overBorder(QPointF pos) const
{
    for (const auto& c : m_form.controls())
        if (c->container() == m_self && c->inBorder(pos))
            return true;
    return false;
}

MouseArgs ContainerWidget::argsFor(const QMouseEvent* event, const Control* target) const
{
    QPointF pos = event->position();
    if (target)
        pos -= target->pixelRect().topLeft();
    const float twips = m_form.twipsPerPixel();
    const Qt::MouseButtons buttons = event->type() == QEvent::MouseMove ? event->buttons() : Qt::MouseButtons(event->button());
    return MouseArgs{buttonOf(buttons), shiftOf(event->modifiers()), float(pos.x()) * twips, float(pos.y()) * twips};
}

ContainerWidget::Target ContainerWidget::targetOf(const Control* c) const
{
    return c ? Target{c->name(), c->index(), m_generation} : Target{"", -1, m_generation};
}

void ContainerWidget::deliver(Event e, QMouseEvent* event)
{
    event->accept();
    // The border of a text box or picture box is theirs, as a window's frame is, and
    // takes no events of the window beneath.
    if (!current() || overBorder(event->position()))
        return;
    Control* hit = hitTest(event->position());
    const MouseArgs args = argsFor(event, hit);
    if (e == Event::MouseMove)
        setCursor(cursorFor(hit ? hit->stored().pointer : m_self ? m_self->stored().pointer : Pointer::Default,
                            devicePixelRatioF()));
    if (e == Event::DblClick && m_lastPress != targetOf(hit)) {
        // The first click of this pair went to another window or control (a page that
        // has just replaced the one clicked): for this one it is a fresh press.
        e = Event::MouseDown;
    }
    if (e == Event::MouseDown)
        m_pressed = m_lastPress = targetOf(hit);
    else if (e == Event::DblClick)
        m_lastPress.reset();
    if (e == Event::Click) {
        const bool same = m_pressed && *m_pressed == targetOf(hit);
        m_pressed.reset();
        if (!same)
            return;
    }
    m_form.raise(e, hit ? hit : m_self, args);
}

void ContainerWidget::mouseMoveEvent(QMouseEvent* event) { deliver(Event::MouseMove, event); }
void ContainerWidget::mousePressEvent(QMouseEvent* event) { deliver(Event::MouseDown, event); }
void ContainerWidget::mouseReleaseEvent(QMouseEvent* event) { deliver(Event::Click, event); }
void ContainerWidget::mouseDoubleClickEvent(QMouseEvent* event) { deliver(Event::DblClick, event); }

void ContainerWidget::keyPressEvent(QKeyEvent* event)
{
    const int code = keyCodeOf(event);
    if (m_self && current() && code && m_form.hasHandler(Event::KeyDown, m_self->name())) {
        m_form.raise(Event::KeyDown, m_self, MouseArgs{.shift = shiftOf(event->modifiers()), .keyCode = code});
        return;
    }
    QWidget::keyPressEvent(event);
}

void ContainerWidget::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (m_self && parentWidget())
        parentWidget()->update(); // its ring is the container's to paint
    if (m_self && current())
        m_form.raise(Event::GotFocus, m_self);
}

void ContainerWidget::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (m_self && parentWidget())
        parentWidget()->update();
}

bool ContainerWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const Control* hit = hitTest(help->pos());
        if (hit && hit->stored().toolTip) {
            const QRect r = hit->pixelRect().toAlignedRect();
            QToolTip::showText(help->globalPos(), m_form.toolTipOf(*hit), this, r);
        } else if (!toolTip().isEmpty()) {
            return QWidget::event(event);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

FormWidget::FormWidget(Form& form, QWidget* stage) : ContainerWidget(form, nullptr, stage)
{
    // The backdrop never takes the keyboard: a click on it leaves the focus where it was.
    // Other windows hold it when none of their controls does, but Tab goes round their
    // controls only.
    setFocusPolicy(fills() ? Qt::NoFocus : Qt::ClickFocus);
    hide();
}

bool FormWidget::fills() const { return form().layout().maximized; }

void FormWidget::place() { setGeometry(form().placement()); }

void FormWidget::setBackground(const QColor&) { update(); }

void FormWidget::takeFocus()
{
    if (fills())
        return;
    QWidget* last = focusWidget();
    if (last && last != this && isAncestorOf(last) && last->isVisibleTo(this) && last->isEnabled() &&
        last->focusPolicy() != Qt::NoFocus) {
        last->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (const auto& c : form().controls())
        if (c->widget() && c->stored().focus && c->widget()->isVisibleTo(this)) {
            c->widget()->setFocus(Qt::OtherFocusReason);
            return;
        }
    setFocus(Qt::OtherFocusReason);
}

bool FormWidget::focusNextPrevChild(bool next)
{
    QWidget* current = QApplication::focusWidget();
    if (!current || (current != this && !isAncestorOf(current)))
        current = this;
    // Qt's focus chain runs through every window of the stage: walk it, keeping to ours.
    QWidget* w = current;
    do {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == this || isAncestorOf(w)) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this) && w->isEnabled()) {
                w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return true;
            }
        }
    } while (w != current);
    return true;
}

void FormWidget::closeEvent(QCloseEvent* event)
{
    // The desktop asks; the program decides (and ends through End, never by closing).
    event->ignore();
    form().closeRequested();
}

void FormWidget::keyPressEvent(QKeyEvent* event)
{
    // A window manager turns Alt+F4 into a close request; without one the key arrives here.
    if (event->key() == Qt::Key_F4 && event->modifiers() == Qt::AltModifier) {
        form().closeRequested();
        return;
    }
    ContainerWidget::keyPressEvent(event);
}

TextBoxWidget::TextBoxWidget(QWidget* parent) : QTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame); // its container draws the border on the pixel grid
    setReadOnly(true);
    setTabChangesFocus(true);
    setAcceptRichText(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void TextBoxWidget::mouseMoveEvent(QMouseEvent* event)
{
    QTextEdit::mouseMoveEvent(event);
    event->accept(); // the window beneath must not see moves over the text
}

void TextBoxWidget::focusInEvent(QFocusEvent* event)
{
    QTextEdit::focusInEvent(event);
    if (parentWidget())
        parentWidget()->update(); // its ring is the container's to paint
}

void TextBoxWidget::focusOutEvent(QFocusEvent* event)
{
    QTextEdit::focusOutEvent(event);
    if (parentWidget())
        parentWidget()->update();
}

ButtonWidget::ButtonWidget(Form& form, QWidget* parent) : QPushButton(parent), m_form(form) { setMouseTracking(true); }

void ButtonWidget::keyPressEvent(QKeyEvent* event)
{
    // Space is the push button's own; Return presses it too, as on any desktop's dialogs.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && isActivation(event)) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void ButtonWidget::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        paintFocusRing(painter, QRectF(rect()).adjusted(3, 3, -3, -3));
    }
}

void ButtonWidget::mouseMoveEvent(QMouseEvent* event)
{
    QPushButton::mouseMoveEvent(event);
    event->accept();
}

} // namespace host
