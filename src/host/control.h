// A control of a loaded window: its stored look plus what handlers have changed. A control
// holds state and tells its window what changed; the window's widgets show it. Each kind
// is its own class, with the properties that kind has.
#pragma once

#include "host/desktop.h"
#include "host/layout.h"
#include "host/picture.h"

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace host {

class Control;

// `RGB(r, g, b)`: the colour value that handlers read and write, r + 256 g + 65536 b.
constexpr long RGB(int r, int g, int b) { return long(r) + 256L * g + 65536L * b; }
QColor colourFromLong(long value);
QColor colourFromHex(std::uint32_t rgb); // a layout's 0xRRGGBB
long colourToLong(const QColor& colour);
const char* kindName(Kind kind); // "a picture box", for messages

// What a control changed: the area it covered before, in its container's pixels, and,
// when only its picture was replaced by one of the same size in the same place, the
// picture before (otherwise null).
struct Change {
    QRect before;
    Picture previous;
};

// The window a control belongs to, as the control sees it.
class ControlOwner {
public:
    virtual const char* name() const = 0; // for messages
    virtual float twipsPerPixel() const = 0;
    virtual qreal devicePixelRatio() const = 0;
    virtual void changed(Control& control, const Change& change) = 0;
    virtual std::unique_ptr<Printer> print(const PrintSettings& settings) = 0;

protected:
    ~ControlOwner() = default;
};

class Control {
public:
    // The control of the stored one's kind.
    static std::unique_ptr<Control> make(ControlOwner& owner, const StoredControl& stored);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Kind kind() const { return m_stored.kind; }
    const char* name() const { return m_stored.name; }
    int index() const { return m_stored.index; }
    QString id() const; // "Lblpn(2)", for messages
    const StoredControl& stored() const { return m_stored; }

    float left() const { return m_left; }
    float top() const { return m_top; }
    float width() const;
    float height() const;
    void setLeft(float twips);
    void setTop(float twips);
    void setWidth(float twips);
    void setHeight(float twips);

    bool visible() const { return m_visible; }
    void setVisible(bool visible);

    long backColor() const { return colourToLong(m_back); }
    void setBackColor(long colour);
    QColor background() const { return m_back; }
    QFont font() const { return m_font; }

    // The container it lies in (nullptr: the window itself) and, once the window's widgets
    // exist, the widget that shows it or stands in for it.
    Control* container() const { return m_container; }
    void setContainer(Control* c) { m_container = c; }
    QWidget* widget() const { return m_widget; } // picture boxes, text box, buttons
    void setWidget(QWidget* w) { m_widget = w; }
    QWidget* proxy() const { return m_proxy; } // a painted control's focus stand-in
    void setProxy(QWidget* w) { m_proxy = w; }
    QWidget* focusWidget() const { return m_widget ? m_widget.data() : m_proxy.data(); }

    // Images, labels and lines are painted by their container; the others have widgets.
    bool isLightweight() const;
    bool takesMouse() const; // visible images and labels
    virtual QRectF pixelRect() const; // in the container's inner pixels
    QRect paintedBounds() const;      // the box around what painting it touches
    // Widget-backed controls with a border (the text box, a bordered picture box): the
    // container paints the border; the widget fills what lies inside it.
    int borderWidth() const; // logical pixels
    QRect innerWidgetRect() const;
    bool inBorder(QPointF pos) const; // over the border, where no control takes the mouse

protected:
    Control(ControlOwner& owner, const StoredControl& stored);
    void assign(float& field, float value);
    void assign(QColor& field, long colour);
    void changed(const QRect& before, const Picture& previous = {});
    void resizeQuietly(float width, float height) { m_width = width, m_height = height; } // while made
    float px(float twips) const;
    qreal ratio() const { return m_owner.devicePixelRatio(); }
    // The picture whose size it takes, if any (images, self-sizing picture boxes).
    virtual const Picture* sizingPicture() const { return nullptr; }

    ControlOwner& m_owner;
    const StoredControl& m_stored;

private:
    Control* m_container = nullptr;
    QPointer<QWidget> m_widget;
    QPointer<QWidget> m_proxy;
    float m_left, m_top, m_width, m_height;
    bool m_visible;
    QColor m_back;
    QFont m_font;
};

// Images, picture boxes and picture buttons show a picture.
class PicturedControl : public Control {
public:
    const Picture& picture() const { return m_picture; }
    void setPicture(const Picture& picture);

protected:
    PicturedControl(ControlOwner& owner, const StoredControl& stored);
    const Picture* sizingPicture() const override;

private:
    Picture m_picture;
};

// The picture a control shows; null for the kinds that show none.
const Picture& pictureOf(const Control& control);

// The kinds that have nothing of their own beyond what they are made from.
template <class Base, Kind K> class PlainControl final : public Base {
public:
    static constexpr Kind kKind = K;
    PlainControl(ControlOwner& owner, const StoredControl& stored) : Base(owner, stored) {}
};
using Image = PlainControl<PicturedControl, Kind::Image>;
using PictureBox = PlainControl<PicturedControl, Kind::PictureBox>; // holds painted controls (the desks)
using PictureButton = PlainControl<PicturedControl, Kind::PictureButton>;
using PictureList = PlainControl<Control, Kind::PictureList>;

class Label : public Control {
public:
    static constexpr Kind kKind = Kind::Label;
    Label(ControlOwner& owner, const StoredControl& stored);
    const QString& caption() const { return m_caption; }
    QColor textColour() const { return m_fore; }

private:
    QColor m_fore;
    QString m_caption;
};

class Line : public Control {
public:
    static constexpr Kind kKind = Kind::Line;
    Line(ControlOwner& owner, const StoredControl& stored);
    float x1() const { return m_x1; }
    float y1() const { return m_y1; }
    float x2() const { return m_x2; }
    float y2() const { return m_y2; }
    void setX1(float twips) { assign(m_x1, twips); }
    void setY1(float twips) { assign(m_y1, twips); }
    void setX2(float twips) { assign(m_x2, twips); }
    void setY2(float twips) { assign(m_y2, twips); }
    long borderColor() const { return colourToLong(m_colour); }
    void setBorderColor(long colour);
    QColor colour() const { return m_colour; }
    // Its width and ends in device pixels, the ends on pixel centres for odd widths, so
    // that it stays crisp at any scale.
    int deviceWidth(qreal ratio) const;
    QLineF deviceLine(qreal ratio) const;
    QRectF pixelRect() const override;

private:
    float m_x1, m_y1, m_x2, m_y2;
    QColor m_colour;
};

// The rich text box: read-only text.
class TextBox : public Control {
public:
    static constexpr Kind kKind = Kind::RichTextBox;
    TextBox(ControlOwner& owner, const StoredControl& stored) : Control(owner, stored) {}
    const QString& text() const { return m_text; }
    void setText(const QString& text);

private:
    QString m_text;
};

// Raises its Timer event every interval while enabled.
class Timer : public Control {
public:
    static constexpr Kind kKind = Kind::Timer;
    Timer(ControlOwner& owner, const StoredControl& stored) : Control(owner, stored), m_enabled(stored.enabled) {}
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled); // starts and stops it
    void setTimer(QTimer* timer);

private:
    bool m_enabled;
    QPointer<QTimer> m_timer;
};

// The print dialog component.
class PrintDialog : public Control {
public:
    static constexpr Kind kKind = Kind::PrintDialog;
    PrintDialog(ControlOwner& owner, const StoredControl& stored) : Control(owner, stored) {}
    PrintSettings& settings() { return m_settings; }
    // Opens the print dialog (the dialog action 5). Returns the chosen printer; Cancel
    // throws CancelError when cancelError is set and returns nullptr otherwise.
    std::unique_ptr<Printer> showPrinter();

private:
    PrintSettings m_settings;
};

} // namespace host
