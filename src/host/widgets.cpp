#include "host/widgets.h"

#include "host/focus.h"
#include "host/pointers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace host {

namespace {

int buttonOf(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) | (buttons & Qt::MiddleButton ? 4 : 0);
}

// Where two pictures of the same size differ, drawn at origin: whole logical pixels
// around the tiles of device pixels in which they differ.
QRegion differing(const Picture& before, const Picture& after, QPointF origin, qreal ratio)
{
    QRegion area;
    for (const QRect& tile : before.difference(after, ratio))
        area += QRectF(origin + QPointF(tile.topLeft()) / ratio, QSizeF(tile.size()) / ratio).toAlignedRect();
    return area;
}

} // namespace

void paintControl(QPainter& painter, const Control& c)
{
    if (!c.visible())
        return;
    const StoredControl& stored = c.stored();
    switch (c.kind()) {
    case Kind::Image:
        static_cast<const Image&>(c).picture().draw(painter, c.pixelRect().topLeft());
        break;
    case Kind::Label: {
        const auto& label = static_cast<const Label&>(c);
        const QRectF r = c.pixelRect();
        if (!stored.transparent)
            painter.fillRect(r, c.background());
        painter.setFont(c.font());
        painter.setPen(label.textColour());
        int flags = Qt::AlignTop;
        flags |= stored.align == Align::Center ? Qt::AlignHCenter
                 : stored.align == Align::Right ? Qt::AlignRight
                                                : Qt::AlignLeft;
        if (stored.wordWrap)
            flags |= Qt::TextWordWrap;
        painter.drawText(r, flags, label.caption());
        break;
    }
    case Kind::Line: {
        // In device pixels, so that lines stay crisp at any scale.
        const auto& line = static_cast<const Line&>(c);
        const qreal ratio = painter.device()->devicePixelRatioF();
        painter.save();
        painter.scale(1 / ratio, 1 / ratio);
        painter.setPen(QPen(line.colour(), line.deviceWidth(ratio), Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(line.deviceLine(ratio));
        painter.restore();
        break;
    }
    default:
        break;
    }
}

void syncWidget(const Control& c)
{
    if (auto* proxy = static_cast<ControlProxy*>(c.proxy()))
        proxy->place();
    QWidget* w = c.widget();
    if (!w)
        return;
    w->setGeometry(c.borderWidth() > 0 ? c.innerWidgetRect() : c.pixelRect().toRect());
    w->setVisible(c.visible());
    if (c.kind() == Kind::RichTextBox) {
        auto* edit = static_cast<QTextEdit*>(w);
        const QString& text = static_cast<const TextBox&>(c).text();
        if (edit->toPlainText() != text)
            edit->setPlainText(text);
    }
    if (c.kind() == Kind::PictureButton)
        static_cast<ButtonWidget*>(w)->showPicture(pictureOf(c));
    // The border around it is painted by its container.
    if (QWidget* container = w->parentWidget(); container && c.borderWidth() > 0)
        container->update(c.pixelRect().toAlignedRect().adjusted(-1, -1, 1, 1));
    w->update();
}

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
        painter.fillRect(area, m_self->background());
        pictureOf(*m_self).draw(painter, QPointF(0, 0));
    } else {
        painter.fillRect(area, m_form.background());
        m_form.windowPicture().draw(painter, QPointF(0, 0));
    }
    // Only what reaches into the area: laying out a label's text costs as much as painting
    // the rest of the window.
    const auto& controls = m_form.controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if ((*it)->container() == m_self && (*it)->isLightweight() && (*it)->paintedBounds().intersects(area))
            paintControl(painter, **it);
    for (const auto& c : controls)
        if (c->container() == m_self)
            paintBorder(painter, *c);
}

void ContainerWidget::paintBorder(QPainter& painter, const Control& c) const
{
    QWidget* w = c.widget();
    if (!c.visible() || !w || c.borderWidth() == 0)
        return;
    const qreal ratio = devicePixelRatioF();
    const QRectF rect = c.pixelRect();
    const bool text = c.kind() == Kind::RichTextBox;
    painter.save();
    // Device pixels from here on, so that each ring of the border is whole pixels.
    painter.scale(1 / ratio, 1 / ratio);
    QRect outer(QPoint(int(std::round(rect.left() * ratio)), int(std::round(rect.top() * ratio))),
                QSize(int(std::round(rect.width() * ratio)), int(std::round(rect.height() * ratio))));
    painter.fillRect(outer, text ? QColor(Qt::white) : c.background());
    const int ring = std::max(1, int(std::round(ratio)));
    auto frame = [&](const QColor& topLeft, const QColor& bottomRight) {
        painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), ring), topLeft);
        painter.fillRect(QRect(outer.left(), outer.top(), ring, outer.height()), topLeft);
        painter.fillRect(QRect(outer.left(), outer.bottom() - ring + 1, outer.width(), ring), bottomRight);
        painter.fillRect(QRect(outer.right() - ring + 1, outer.top(), ring, outer.height()), bottomRight);
        outer.adjust(ring, ring, -ring, -ring);
    };
    if (text) {
        frame(Qt::black, Qt::black);
    } else {
        // A sunken single border, as the desktop draws it.
        frame(QColor(128, 128, 128), QColor(255, 255, 255));
        frame(QColor(64, 64, 64), QColor(212, 208, 200));
    }
    painter.restore();
    if (w->hasFocus())
        paintFocusRing(painter, rect);
}

void ContainerWidget::showPointer(Pointer pointer)
{
    // Qt hands a picture cursor to the window system at every setCursor, even the same
    // one: on X that is a request per pointer move.
    const std::pair<Pointer, qreal> wanted{pointer, devicePixelRatioF()};
    if (m_pointer == wanted)
        return;
    m_pointer = wanted;
    setCursor(cursorFor(pointer, wanted.second));
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
        showPointer(hit ? hit->stored().pointer : m_self ? m_self->stored().pointer : Pointer::Default);
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
    m_form.raiseEvent(e, hit ? hit : m_self, args);
}

void ContainerWidget::mouseMoveEvent(QMouseEvent* event) { deliver(Event::MouseMove, event); }
void ContainerWidget::mousePressEvent(QMouseEvent* event) { deliver(Event::MouseDown, event); }
void ContainerWidget::mouseReleaseEvent(QMouseEvent* event) { deliver(Event::Click, event); }
void ContainerWidget::mouseDoubleClickEvent(QMouseEvent* event) { deliver(Event::DblClick, event); }

void ContainerWidget::keyPressEvent(QKeyEvent* event)
{
    const int code = keyCodeOf(event);
    if (m_self && current() && code && m_form.hasHandler(Event::KeyDown, m_self->name())) {
        m_form.raiseEvent(Event::KeyDown, m_self, MouseArgs{.shift = shiftOf(event->modifiers()), .keyCode = code});
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
        m_form.raiseEvent(Event::GotFocus, m_self);
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
    const StoredWindow& layout = form.layout();
    setWindowTitle(QString::fromUtf8(layout.title ? layout.title : layout.name));
    setAccessibleName(windowTitle());
    window()->installEventFilter(this);
    place();
    // Containers before what they hold: the layout lists a picture box before its content.
    for (const auto& c : form.controls())
        createWidget(*c);
    arrangeWidgets();
    for (const Form::Key& key : form.shortcuts()) {
        // Every window lives in the one top-level window: a shortcut belongs to the window
        // that has the keyboard, not to all of them.
        auto* shortcut = new QShortcut(key.keys, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, this, form.shortcutHandler(key.handler));
    }
}

void FormWidget::createWidget(Control& c)
{
    QWidget* parent = containerOf(c);
    const char* toolTip = c.stored().toolTip;
    switch (c.kind()) {
    case Kind::PictureBox: {
        auto* box = new ContainerWidget(form(), &c, parent);
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
        edit->setAccessibleName(form().accessibleName(c));
        c.setWidget(edit);
        break;
    }
    case Kind::PictureButton: {
        auto* button = new ButtonWidget(form(), parent);
        // The face around the picture has the button's own colour.
        QPalette face = button->palette();
        face.setColor(QPalette::Button, c.background());
        button->setPalette(face);
        if (toolTip)
            button->setToolTip(QString::fromUtf8(toolTip));
        QObject::connect(button, &QPushButton::clicked, button, form().handlerFor(c, Event::Click));
        c.setWidget(button);
        break;
    }
    case Kind::Timer: {
        auto* timer = new QTimer(this);
        QObject::connect(timer, &QTimer::timeout, this, form().handlerFor(c, Event::Timer));
        static_cast<Timer&>(c).setTimer(timer);
        break;
    }
    case Kind::Image:
    case Kind::Label:
        // A painted control that the keyboard reaches: a stand-in takes the focus for it.
        if (c.stored().tabIndex >= 0)
            c.setProxy(new ControlProxy(form(), c, parent));
        break;
    default:
        break;
    }
}

void FormWidget::arrangeWidgets()
{
    const auto& controls = form().controls();
    // Geometry first, containers before what they hold (the layout lists a picture box
    // before its content), then stacking, which follows the stored front-to-back order.
    for (const auto& c : controls)
        syncWidget(*c);
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if (QWidget* w = (*it)->widget())
            w->raise();
    // The focus stand-ins of painted controls lie over every widget, to show their ring.
    for (const auto& c : controls)
        if (QWidget* proxy = c->proxy())
            proxy->raise();
    std::vector<const Control*> focusable;
    for (const auto& c : controls)
        if (c->focusWidget() && c->stored().tabIndex >= 0)
            focusable.push_back(c.get());
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const Control* a, const Control* b) { return a->stored().tabIndex < b->stored().tabIndex; });
    for (size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1]->focusWidget(), focusable[i]->focusWidget());
}

void FormWidget::showChange(const Control& c, const Change& change)
{
    if (!c.isLightweight()) {
        // A picture box whose picture alone changed in place, with no border around it:
        // only the pixels in which the two pictures differ.
        if (c.kind() == Kind::PictureBox && !change.previous.isNull() && c.borderWidth() == 0 && c.widget()) {
            notePictureChange(c, change.previous);
            return;
        }
        // The border is the container's: where it was as well as where it is.
        if (QWidget* w = c.widget(); w && w->parentWidget() && c.borderWidth() > 0 && !change.before.isEmpty())
            w->parentWidget()->update(change.before.adjusted(-1, -1, 1, 1));
        syncWidget(c);
        return;
    }
    if (auto* proxy = static_cast<ControlProxy*>(c.proxy()))
        proxy->place();
    QWidget* container = containerOf(c);
    if (!container)
        return;
    if (c.kind() == Kind::Image && !change.previous.isNull()) {
        notePictureChange(c, change.previous);
        return;
    }
    const QRect area = change.before.united(c.paintedBounds());
    if (!area.isEmpty())
        container->update(area);
}

void FormWidget::notePictureChange(const Control& c, const Picture& shown)
{
    if (std::any_of(m_unpainted.begin(), m_unpainted.end(), [&](const auto& entry) { return entry.first == &c; }))
        return;
    // Posted like the toolkit's own, so the yield or event loop pass that would have
    // painted the change still does; the stage's paint ignores a request with nothing due.
    if (m_unpainted.empty())
        QCoreApplication::postEvent(window(), new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    m_unpainted.emplace_back(&c, shown);
}

bool FormWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window() && event->type() == QEvent::UpdateRequest && !m_unpainted.empty())
        markPictureChanges();
    return false;
}

void FormWidget::markPictureChanges()
{
    const auto changes = std::exchange(m_unpainted, {});
    if (!current())
        return; // unloaded meanwhile: the controls may be gone, and nothing here is shown
    const qreal ratio = devicePixelRatioF();
    for (const auto& [c, shown] : changes) {
        if (c->kind() == Kind::PictureBox) {
            if (QWidget* box = c->widget())
                box->update(differing(shown, pictureOf(*c), QPointF(0, 0), ratio));
        } else if (QWidget* container = containerOf(*c)) {
            container->update(differing(shown, pictureOf(*c), c->pixelRect().topLeft(), ratio));
        }
    }
}

QWidget* FormWidget::containerOf(const Control& c)
{
    return c.container() ? c.container()->widget() : this;
}

bool FormWidget::fills() const { return form().layout().maximized; }

void FormWidget::place()
{
    // Centred in the stage at its own size; the backdrop fills it.
    const QSize area = parentWidget() ? parentWidget()->size() : QSize();
    if (fills()) {
        setGeometry(QRect(QPoint(0, 0), area));
        return;
    }
    const QSize size = form().pixelSize();
    setGeometry(QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size));
}

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

void ButtonWidget::showPicture(const Picture& picture)
{
    if (picture == m_picture && icon().isNull() == picture.isNull())
        return;
    m_picture = picture;
    setIcon(picture.isNull() ? QIcon() : picture.icon());
    setIconSize(picture.size());
}

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
