#include "host/control.h"

#include "host/error.h"
#include "host/focus.h"
#include "host/form.h"
#include "host/host.h"
#include "host/widgets.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace host {

QColor colourFromLong(long value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

long colourToLong(const QColor& colour) { return RGB(colour.red(), colour.green(), colour.blue()); }

QColor colourFromHex(std::uint32_t rgb) { return QColor(int(rgb >> 16) & 0xFF, int(rgb >> 8) & 0xFF, int(rgb) & 0xFF); }

const char* kindName(Kind kind)
{
    switch (kind) {
    case Kind::Image: return "an image";
    case Kind::Label: return "a label";
    case Kind::Line: return "a line";
    case Kind::PictureBox: return "a picture box";
    case Kind::RichTextBox: return "a rich text box";
    case Kind::PictureButton: return "a picture button";
    case Kind::Timer: return "a timer";
    case Kind::PictureList: return "a picture list";
    case Kind::PrintDialog: return "a print dialog";
    }
    return "a control";
}

QFont fontOf(const StoredFont& stored)
{
    QFont font(QString::fromUtf8(stored.family));
    font.setPointSizeF(stored.points);
    font.setBold(stored.bold);
    font.setUnderline(stored.underline);
    return font;
}

Control::Control(Form& form, const StoredControl& stored)
    : m_form(form), m_stored(stored), m_left(stored.left), m_top(stored.top), m_width(stored.width),
      m_height(stored.height), m_x1(stored.x1), m_y1(stored.y1), m_x2(stored.x2), m_y2(stored.y2),
      m_visible(stored.visible), m_enabled(stored.enabled), m_fore(colourFromHex(stored.foreColour)),
      m_back(colourFromHex(stored.backColour)), m_font(fontOf(stored.font)),
      m_caption(stored.caption ? QString::fromUtf8(stored.caption) : QString())
{
    if (stored.picture)
        m_picture = Picture::fromAsset(stored.picture);
    if (stored.kind == Kind::Label && stored.autoSize) {
        const QSizeF text = QFontMetricsF(m_font).size(Qt::TextSingleLine, m_caption);
        m_width = float(std::ceil(text.width()) * m_form.twipsPerPixel());
        m_height = float(std::ceil(text.height()) * m_form.twipsPerPixel());
    }
}

Control::~Control() = default;

QString Control::id() const
{
    QString id = QString::fromUtf8(m_stored.name);
    if (m_stored.index >= 0)
        id += QStringLiteral("(%1)").arg(m_stored.index);
    return id;
}

void Control::requireKind(std::initializer_list<Kind> kinds, const char* property) const
{
    for (Kind k : kinds)
        if (k == m_stored.kind)
            return;
    throw Error(std::string(m_form.name()) + "." + id().toStdString() + " is " + kindName(m_stored.kind) +
                " and has no property " + property + ".");
}

float Control::px(float twips) const
{
    // Handlers take any coordinate as it comes; far outside the screen is all the same to
    // the painter, and the integer geometry below must never overflow.
    constexpr float kFar = 1.0e6f;
    const float pixels = twips / m_form.twipsPerPixel();
    return std::isnan(pixels) ? 0.0f : std::clamp(pixels, -kFar, kFar);
}

bool Control::isLightweight() const
{
    return m_stored.kind == Kind::Image || m_stored.kind == Kind::Label || m_stored.kind == Kind::Line;
}

bool Control::takesMouse() const { return m_visible && (m_stored.kind == Kind::Image || m_stored.kind == Kind::Label); }

float Control::left() const { return m_left; }
float Control::top() const { return m_top; }

float Control::width() const
{
    if ((m_stored.kind == Kind::Image || m_stored.kind == Kind::PictureBox) && !m_picture.isNull())
        return float(m_picture.size().width() * m_form.twipsPerPixel());
    return m_width;
}

float Control::height() const
{
    if ((m_stored.kind == Kind::Image || m_stored.kind == Kind::PictureBox) && !m_picture.isNull())
        return float(m_picture.size().height() * m_form.twipsPerPixel());
    return m_height;
}

void Control::assign(float& field, float value)
{
    // Handlers assign unconditionally; only a real change costs a repaint.
    if (field == value || (std::isnan(field) && std::isnan(value)))
        return;
    const QRect before = paintedBounds();
    field = value;
    changed(before);
}

void Control::setLeft(float twips) { assign(m_left, twips); }
void Control::setTop(float twips) { assign(m_top, twips); }
void Control::setWidth(float twips) { assign(m_width, twips); }
void Control::setHeight(float twips) { assign(m_height, twips); }

void Control::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    const QRect before = paintedBounds();
    m_visible = visible;
    changed(before);
}

Picture Control::picture() const
{
    requireKind({Kind::Image, Kind::PictureBox, Kind::PictureButton}, "Picture");
    return m_picture;
}

void Control::setPicture(const Picture& picture)
{
    requireKind({Kind::Image, Kind::PictureBox, Kind::PictureButton}, "Picture");
    if (m_picture == picture)
        return;
    const Picture previous = m_picture;
    const QRect before = paintedBounds();
    m_picture = picture;
    // In the same place at the same size only the pixels in which the two differ change:
    // an animation frame repaints what moved in it, not the whole picture.
    QWidget* box = m_stored.kind == Kind::PictureBox ? m_widget.data() : nullptr;
    if (m_visible && !previous.isNull() && !picture.isNull() && previous.size() == picture.size() &&
        (m_stored.kind == Kind::Image || (box && borderWidth() == 0))) {
        const qreal ratio = devicePixelRatio();
        const QPointF origin = box ? QPointF(0, 0) : pixelRect().topLeft();
        QRegion area;
        for (const QRect& tile : previous.difference(picture, ratio))
            area += QRectF(origin + QPointF(tile.topLeft()) / ratio, QSizeF(tile.size()) / ratio).toAlignedRect();
        m_form.changed(*this);
        if (box)
            box->update(area);
        else if (QWidget* container = m_container ? m_container->widget() : m_form.isLoaded() ? m_form.widget() : nullptr)
            container->update(area);
        return;
    }
    changed(before);
}

#define LINE_COORDINATE(get, set, member)                                                                    \
    float Control::get() const                                                                              \
    {                                                                                                       \
        requireKind({Kind::Line}, #get);                                                                    \
        return member;                                                                                      \
    }                                                                                                       \
    void Control::set(float v)                                                                              \
    {                                                                                                       \
        requireKind({Kind::Line}, #get);                                                                    \
        assign(member, v);                                                                                  \
    }
LINE_COORDINATE(x1, setX1, m_x1)
LINE_COORDINATE(y1, setY1, m_y1)
LINE_COORDINATE(x2, setX2, m_x2)
LINE_COORDINATE(y2, setY2, m_y2)
#undef LINE_COORDINATE

long Control::borderColor() const
{
    requireKind({Kind::Line}, "BorderColor");
    return colourToLong(m_fore);
}

void Control::setBorderColor(long colour)
{
    requireKind({Kind::Line}, "BorderColor");
    const QColor next = colourFromLong(colour);
    if (m_fore == next)
        return;
    m_fore = next;
    changed(paintedBounds());
}

long Control::backColor() const { return colourToLong(m_back); }

void Control::setBackColor(long colour)
{
    const QColor next = colourFromLong(colour);
    if (m_back == next)
        return;
    m_back = next;
    changed(paintedBounds());
    if (m_widget)
        m_widget->update(); // a picture box's whole area
}

QString Control::caption() const
{
    requireKind({Kind::Label}, "Caption");
    return m_caption;
}

QString Control::text() const
{
    requireKind({Kind::RichTextBox}, "Text");
    return m_text;
}

void Control::setText(const QString& text)
{
    requireKind({Kind::RichTextBox}, "Text");
    m_text = text;
    changed(paintedBounds());
}

bool Control::enabled() const { return m_enabled; }

void Control::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (m_timer) {
        if (enabled && m_stored.interval > 0)
            m_timer->start(m_stored.interval);
        else
            m_timer->stop();
    }
}

PrintSettings& Control::printSettings()
{
    requireKind({Kind::PrintDialog}, "print settings");
    return m_print;
}

std::unique_ptr<Printer> Control::showPrinter()
{
    requireKind({Kind::PrintDialog}, "ShowPrinter");
    auto printer = m_form.host().printDialog(m_print, m_form);
    if (!printer && m_print.cancelError)
        throw CancelError();
    return printer;
}

qreal Control::devicePixelRatio() const { return m_form.devicePixelRatio(); }

QRectF Control::pixelRect() const
{
    // One rule for position and size: twips to whole device pixels, so that at a
    // fractional scale every control keeps its size and its edges stay on the pixel grid.
    const qreal ratio = devicePixelRatio();
    auto snap = [ratio](qreal pixels) { return std::round(pixels * ratio) / ratio; };
    if (m_stored.kind == Kind::Line)
        return QRectF(QPointF(px(m_x1), px(m_y1)), QPointF(px(m_x2), px(m_y2))).normalized();
    const QPointF topLeft(snap(px(m_left)), snap(px(m_top)));
    // Images take their picture's size; a picture box does when it sizes itself.
    if (!m_picture.isNull() && (m_stored.kind == Kind::Image || (m_stored.kind == Kind::PictureBox && m_stored.autoSize)))
        return QRectF(topLeft, QSizeF(m_picture.size()));
    return QRectF(topLeft, QSizeF(snap(px(m_width)), snap(px(m_height))));
}

int Control::borderWidth() const
{
    if (m_stored.kind == Kind::RichTextBox)
        return 1;
    return m_stored.kind == Kind::PictureBox && m_stored.border ? 2 : 0;
}

QRect Control::innerWidgetRect() const
{
    // The border is the container's to paint, on device pixels; the widget takes the whole
    // logical pixels inside it.
    const qreal ratio = devicePixelRatio();
    const QRectF outer = pixelRect();
    const qreal border = std::round(borderWidth() * ratio) / ratio;
    const QRectF inner = outer.adjusted(border, border, -border, -border);
    const int left = int(std::ceil(inner.left() - 1e-6)), top = int(std::ceil(inner.top() - 1e-6));
    const int right = int(std::floor(inner.right() + 1e-6)), bottom = int(std::floor(inner.bottom() + 1e-6));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void Control::paintBorder(QPainter& painter) const
{
    if (!m_visible || !m_widget || borderWidth() == 0)
        return;
    const qreal ratio = devicePixelRatio();
    painter.save();
    // Device pixels from here on, so that each ring of the border is whole pixels.
    painter.scale(1 / ratio, 1 / ratio);
    QRect outer(QPoint(int(std::round(pixelRect().left() * ratio)), int(std::round(pixelRect().top() * ratio))),
                QSize(int(std::round(pixelRect().width() * ratio)), int(std::round(pixelRect().height() * ratio))));
    painter.fillRect(outer, m_stored.kind == Kind::RichTextBox ? QColor(Qt::white) : m_back);
    const int ring = std::max(1, int(std::round(ratio)));
    auto frame = [&](const QColor& topLeft, const QColor& bottomRight) {
        painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), ring), topLeft);
        painter.fillRect(QRect(outer.left(), outer.top(), ring, outer.height()), topLeft);
        painter.fillRect(QRect(outer.left(), outer.bottom() - ring + 1, outer.width(), ring), bottomRight);
        painter.fillRect(QRect(outer.right() - ring + 1, outer.top(), ring, outer.height()), bottomRight);
        outer.adjust(ring, ring, -ring, -ring);
    };
    if (m_stored.kind == Kind::RichTextBox) {
        frame(Qt::black, Qt::black);
    } else {
        // A sunken single border, as the desktop draws it.
        frame(QColor(128, 128, 128), QColor(255, 255, 255));
        frame(QColor(64, 64, 64), QColor(212, 208, 200));
    }
    painter.restore();
    if (m_widget->hasFocus())
        paintFocusRing(painter, pixelRect());
}

bool Control::inBorder(QPointF pos) const
{
    return m_visible && m_widget && borderWidth() > 0 && pixelRect().contains(pos) &&
           !QRectF(innerWidgetRect()).contains(pos);
}

void Control::paint(QPainter& painter) const
{
    if (!m_visible)
        return;
    switch (m_stored.kind) {
    case Kind::Image:
        m_picture.draw(painter, pixelRect().topLeft());
        break;
    case Kind::Label: {
        const QRectF r = pixelRect();
        if (!m_stored.transparent)
            painter.fillRect(r, m_back);
        painter.setFont(m_font);
        painter.setPen(m_fore);
        int flags = Qt::AlignTop;
        flags |= m_stored.align == Align::Center ? Qt::AlignHCenter
                 : m_stored.align == Align::Right ? Qt::AlignRight
                                                : Qt::AlignLeft;
        if (m_stored.wordWrap)
            flags |= Qt::TextWordWrap;
        painter.drawText(r, flags, m_caption);
        break;
    }
    case Kind::Line: {
        // In device pixels, with odd widths on pixel centres, so that lines stay crisp at
        // any scale.
        const qreal ratio = devicePixelRatio();
        const int width = std::max(1, int(std::round(m_stored.lineWidth * ratio)));
        const qreal shift = (width % 2) ? 0.5 : 0.0;
        auto point = [&](float x, float y) {
            return QPointF(std::floor(px(x) * ratio) + shift, std::floor(px(y) * ratio) + shift);
        };
        painter.save();
        painter.scale(1 / ratio, 1 / ratio);
        painter.setPen(QPen(m_fore, width, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(point(m_x1, m_y1), point(m_x2, m_y2));
        painter.restore();
        break;
    }
    default:
        break;
    }
}

QRect Control::paintedBounds() const
{
    if (!m_visible)
        return {};
    // A line's pen reaches half its width, and a square cap as far again, past its ends.
    const qreal pen = m_stored.kind == Kind::Line ? m_stored.lineWidth + 1 : 0;
    return pixelRect().adjusted(-pen, -pen, pen, pen).toAlignedRect();
}

void Control::changed(const QRect& before)
{
    m_form.changed(*this);
    if (!isLightweight()) {
        syncWidget();
        return;
    }
    if (m_proxy)
        static_cast<ControlProxy*>(m_proxy.data())->place();
    auto* container = static_cast<ContainerWidget*>(m_container ? m_container->widget()
                                                     : m_form.isLoaded() ? m_form.widget()
                                                                         : nullptr);
    if (!container)
        return;
    const QRect area = before.united(paintedBounds());
    if (!area.isEmpty())
        container->update(area);
}

void Control::syncWidget()
{
    if (m_proxy)
        static_cast<ControlProxy*>(m_proxy.data())->place();
    if (!m_widget)
        return;
    m_widget->setGeometry(borderWidth() > 0 ? innerWidgetRect() : pixelRect().toRect());
    m_widget->setVisible(m_visible);
    if (m_stored.kind == Kind::RichTextBox) {
        auto* edit = static_cast<QTextEdit*>(m_widget.data());
        if (edit->toPlainText() != m_text)
            edit->setPlainText(m_text);
    }
    // The border around it is painted by its container.
    if (QWidget* container = m_widget->parentWidget(); container && borderWidth() > 0)
        container->update(pixelRect().toAlignedRect().adjusted(-1, -1, 1, 1));
    m_widget->update();
}

} // namespace host
