#include "host/control.h"

#include "host/error.h"

#include <QFontMetricsF>
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

namespace {

QFont fontOf(const StoredFont& stored)
{
    QFont font(QString::fromUtf8(stored.family));
    font.setPointSizeF(stored.points);
    font.setBold(stored.bold);
    font.setUnderline(stored.underline);
    return font;
}

} // namespace

std::unique_ptr<Control> Control::make(ControlOwner& owner, const StoredControl& stored)
{
    switch (stored.kind) {
    case Kind::Image: return std::make_unique<Image>(owner, stored);
    case Kind::Label: return std::make_unique<Label>(owner, stored);
    case Kind::Line: return std::make_unique<Line>(owner, stored);
    case Kind::PictureBox: return std::make_unique<PictureBox>(owner, stored);
    case Kind::RichTextBox: return std::make_unique<TextBox>(owner, stored);
    case Kind::PictureButton: return std::make_unique<PictureButton>(owner, stored);
    case Kind::Timer: return std::make_unique<Timer>(owner, stored);
    case Kind::PictureList: return std::make_unique<PictureList>(owner, stored);
    case Kind::PrintDialog: return std::make_unique<PrintDialog>(owner, stored);
    }
    throw Error(std::string(owner.name()) + "." + stored.name + " is of no known kind.");
}

Control::Control(ControlOwner& owner, const StoredControl& stored)
    : m_owner(owner), m_stored(stored), m_left(stored.left), m_top(stored.top), m_width(stored.width),
      m_height(stored.height), m_visible(stored.visible),
      m_back(colourFromHex(stored.backColour)), m_font(fontOf(stored.font))
{
}

Control::~Control() = default;

QString Control::id() const
{
    QString id = QString::fromUtf8(m_stored.name);
    if (m_stored.index >= 0)
        id += QStringLiteral("(%1)").arg(m_stored.index);
    return id;
}

float Control::px(float twips) const
{
    // Handlers take any coordinate as it comes; far outside the screen is all the same to
    // the painter, and the integer geometry below must never overflow.
    constexpr float kFar = 1.0e6f;
    const float pixels = twips / m_owner.twipsPerPixel();
    return std::isnan(pixels) ? 0.0f : std::clamp(pixels, -kFar, kFar);
}

bool Control::isLightweight() const
{
    return m_stored.kind == Kind::Image || m_stored.kind == Kind::Label || m_stored.kind == Kind::Line;
}

bool Control::takesMouse() const { return m_visible && (m_stored.kind == Kind::Image || m_stored.kind == Kind::Label); }

float Control::width() const
{
    const Picture* picture = sizingPicture();
    return picture ? float(picture->size().width() * m_owner.twipsPerPixel()) : m_width;
}

float Control::height() const
{
    const Picture* picture = sizingPicture();
    return picture ? float(picture->size().height() * m_owner.twipsPerPixel()) : m_height;
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

void Control::assign(QColor& field, long colour)
{
    const QColor next = colourFromLong(colour);
    if (field == next)
        return;
    field = next;
    changed(paintedBounds());
}

void Control::setBackColor(long colour) { assign(m_back, colour); }

void Control::changed(const QRect& before, const Picture& previous) { m_owner.changed(*this, Change{before, previous}); }

QRectF Control::pixelRect() const
{
    // One rule for position and size: twips to whole device pixels, so that at a
    // fractional scale every control keeps its size and its edges stay on the pixel grid.
    const qreal r = ratio();
    auto snap = [r](qreal pixels) { return std::round(pixels * r) / r; };
    const QPointF topLeft(snap(px(m_left)), snap(px(m_top)));
    if (const Picture* picture = sizingPicture())
        return QRectF(topLeft, QSizeF(picture->size()));
    return QRectF(topLeft, QSizeF(snap(px(m_width)), snap(px(m_height))));
}

QRect Control::paintedBounds() const
{
    if (!m_visible)
        return {};
    // A line's pen reaches half its width, and a square cap as far again, past its ends.
    const qreal pen = m_stored.kind == Kind::Line ? m_stored.lineWidth + 1 : 0;
    return pixelRect().adjusted(-pen, -pen, pen, pen).toAlignedRect();
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
    const qreal r = ratio();
    const QRectF outer = pixelRect();
    const qreal border = std::round(borderWidth() * r) / r;
    const QRectF inner = outer.adjusted(border, border, -border, -border);
    const int left = int(std::ceil(inner.left() - 1e-6)), top = int(std::ceil(inner.top() - 1e-6));
    const int right = int(std::floor(inner.right() + 1e-6)), bottom = int(std::floor(inner.bottom() + 1e-6));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

bool Control::inBorder(QPointF pos) const
{
    return m_visible && m_widget && borderWidth() > 0 && pixelRect().contains(pos) &&
           !QRectF(innerWidgetRect()).contains(pos);
}

PicturedControl::PicturedControl(ControlOwner& owner, const StoredControl& stored) : Control(owner, stored)
{
    if (stored.picture)
        m_picture = Picture::fromAsset(stored.picture);
}

const Picture* PicturedControl::sizingPicture() const
{
    // Images take their picture's size; a picture box does when it sizes itself.
    const bool sizes = m_stored.kind == Kind::Image || (m_stored.kind == Kind::PictureBox && m_stored.autoSize);
    return sizes && !m_picture.isNull() ? &m_picture : nullptr;
}

void PicturedControl::setPicture(const Picture& picture)
{
    if (m_picture == picture)
        return;
    const Picture previous = m_picture;
    const QRect before = paintedBounds();
    m_picture = picture;
    // In the same place at the same size only the pixels in which the two differ change:
    // an animation frame repaints what moved in it, not the whole picture.
    const bool inPlace = visible() && !previous.isNull() && !picture.isNull() && previous.size() == picture.size();
    changed(before, inPlace ? previous : Picture());
}

const Picture& pictureOf(const Control& control)
{
    static const Picture kNone;
    const auto* pictured = dynamic_cast<const PicturedControl*>(&control);
    return pictured ? pictured->picture() : kNone;
}

Label::Label(ControlOwner& owner, const StoredControl& stored)
    : Control(owner, stored), m_fore(colourFromHex(stored.foreColour)),
      m_caption(stored.caption ? QString::fromUtf8(stored.caption) : QString())
{
    if (stored.autoSize) {
        const QSizeF text = QFontMetricsF(font()).size(Qt::TextSingleLine, m_caption);
        resizeQuietly(float(std::ceil(text.width()) * owner.twipsPerPixel()),
                      float(std::ceil(text.height()) * owner.twipsPerPixel()));
    }
}

Line::Line(ControlOwner& owner, const StoredControl& stored)
    : Control(owner, stored), m_x1(stored.x1), m_y1(stored.y1), m_x2(stored.x2), m_y2(stored.y2),
      m_colour(colourFromHex(stored.foreColour))
{
}

void Line::setBorderColor(long colour) { assign(m_colour, colour); }

QRectF Line::pixelRect() const { return QRectF(QPointF(px(m_x1), px(m_y1)), QPointF(px(m_x2), px(m_y2))).normalized(); }

int Line::deviceWidth(qreal ratio) const { return std::max(1, int(std::round(m_stored.lineWidth * ratio))); }

QLineF Line::deviceLine(qreal ratio) const
{
    const qreal shift = (deviceWidth(ratio) % 2) ? 0.5 : 0.0;
    auto point = [&](float x, float y) {
        return QPointF(std::floor(px(x) * ratio) + shift, std::floor(px(y) * ratio) + shift);
    };
    return QLineF(point(m_x1, m_y1), point(m_x2, m_y2));
}

void TextBox::setText(const QString& text)
{
    m_text = text;
    changed(paintedBounds());
}

void Timer::setTimer(QTimer* timer)
{
    m_timer = timer;
    setEnabled(enabled());
}

void Timer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!m_timer)
        return;
    if (enabled && m_stored.interval > 0)
        m_timer->start(m_stored.interval);
    else
        m_timer->stop();
}

std::unique_ptr<Printer> PrintDialog::showPrinter()
{
    auto printer = m_owner.print(m_settings);
    if (!printer && m_settings.cancelError)
        throw CancelError();
    return printer;
}

} // namespace host
