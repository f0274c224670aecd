#include "host/focus.h"

#include "host/control.h"
#include "host/form.h"

#include <QKeyEvent>
#include <QPainter>

namespace host {

void paintFocusRing(QPainter& painter, const QRectF& around)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    const QRectF ring = around.adjusted(-2, -2, 2, 2);
    painter.setPen(QPen(QColor(255, 255, 255), 1));
    painter.drawRoundedRect(ring.adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
    painter.setPen(QPen(QColor(0x6F, 0x51, 0xA6), 2));
    painter.drawRoundedRect(ring, 4, 4);
    painter.restore();
}

int keyCodeOf(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    default: return 0;
    }
}

int shiftOf(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

bool isActivation(const QKeyEvent* event)
{
    const int key = event->key();
    return (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
           (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

ControlProxy::ControlProxy(Form& form, const Control& control, QWidget* container)
    : QWidget(container), m_form(form), m_name(control.name()), m_index(control.index()),
      m_generation(form.generation())
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::TabFocus);
    place();
}

Control* ControlProxy::control() const
{
    if (!m_form.isLoaded() || m_form.generation() != m_generation)
        return nullptr;
    for (const auto& c : m_form.controls())
        if (m_name == c->name() && m_index == c->index())
            return c.get();
    return nullptr;
}

void ControlProxy::place()
{
    const Control* c = control();
    if (!c)
        return;
    const int m = kFocusRingMargin;
    setGeometry(c->pixelRect().toAlignedRect().adjusted(-m, -m, m, m));
    setVisible(c->visible());
}

void ControlProxy::paintEvent(QPaintEvent*)
{
    if (!hasFocus())
        return;
    QPainter painter(this);
    const int m = kFocusRingMargin;
    paintFocusRing(painter, QRectF(rect()).adjusted(m, m, -m, -m));
}

void ControlProxy::keyPressEvent(QKeyEvent* event)
{
    Control* c = control();
    if (!c) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (isActivation(event) && m_form.hasHandler(Event::Click, m_name)) {
        m_form.raiseEvent(Event::Click, c);
        return;
    }
    if (const int code = keyCodeOf(event); code && m_form.hasHandler(Event::KeyDown, m_name)) {
        m_form.raiseEvent(Event::KeyDown, c, MouseArgs{.shift = shiftOf(event->modifiers()), .keyCode = code});
        return;
    }
    QWidget::keyPressEvent(event);
}

void ControlProxy::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
    if (Control* c = control())
        m_form.raiseEvent(Event::GotFocus, c);
}

void ControlProxy::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace host
