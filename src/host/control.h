// A control of a loaded window: its stored look plus what handlers have changed.
#pragma once

#include "host/desktop.h"
#include "host/layout.h"
#include "host/picture.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QRectF>
#include <QString>

class QPainter;
#include <QTimer>
#include <QWidget>

namespace host {

class Form;

// `RGB(r, g, b)`: the colour value that handlers read and write, r + 256 g + 65536 b.
constexpr long RGB(int r, int g, int b) { return long(r) + 256L * g + 65536L * b; }
QColor colourFromLong(long value);
QColor colourFromHex(std::uint32_t rgb); // a layout's 0xRRGGBB
const char* kindName(Kind kind);           // "a picture box", for messages
long colourToLong(const QColor& colour);

class Control {
public:
    Control(Form& form, const StoredControl& stored);
    ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Kind kind() const { return m_stored.kind; }
    const char* name() const { return m_stored.name; }
    int index() const { return m_stored.index; }
    QString id() const; // "Lblpn(2)", for messages
    Form& form() const { return m_form; }
    const StoredControl& stored() const { return m_stored; }

    float left() const;
    float top() const;
    float width() const;
    float height() const;
    void setLeft(float twips);
    void setTop(float twips);
    void setWidth(float twips);
    void setHeight(float twips);

    bool visible() const { return m_visible; }
    void setVisible(bool visible);

    Picture picture() const;
    void setPicture(const Picture& picture);

    float x1() const;
    float y1() const;
    float x2() const;
    float y2() const;
    void setX1(float v);
    void setY1(float v);
    void setX2(float v);
    void setY2(float v);
    long borderColor() const;
    void setBorderColor(long colour);

    long backColor() const;
    void setBackColor(long colour);

    QString caption() const;
    QString text() const; // rich text box
    void setText(const QString& text);

    bool enabled() const;
    void setEnabled(bool enabled); // timers start and stop with it

    PrintSettings& printSettings(); // print dialog component
    // Opens the print dialog (the dialog action 5). Returns the chosen printer; Cancel
    // throws CancelError when cancelError is set and returns nullptr otherwise.
    std::unique_ptr<Printer> showPrinter();

    // For the window that paints and routes events.
    Control* container() const { return m_container; }
    void setContainer(Control* c) { m_container = c; }
    QWidget* widget() const { return m_widget; } // picture boxes, text box, buttons
    void setWidget(QWidget* w) { m_widget = w; }
    QWidget* proxy() const { return m_proxy; } // a painted control's focus stand-in
    void setProxy(QWidget* w) { m_proxy = w; }
    QWidget* focusWidget() const { return m_widget ? m_widget.data() : m_proxy.data(); }
    void setTimer(QTimer* t) { m_timer = t; }
    bool isLightweight() const;
    bool takesMouse() const; // visible images and labels
    QRectF pixelRect() const; // in the container's inner pixels
    void paint(QPainter& painter) const;
    QRect paintedBounds() const; // the box around what painting it touches, container pixels
    // Widget-backed controls with a border (the text box, a bordered picture box): the
    // container paints the border; the widget fills what lies inside it.
    int borderWidth() const; // logical pixels
    QRect innerWidgetRect() const;
    void paintBorder(QPainter& painter) const;
    bool inBorder(QPointF pos) const; // over the border, where no control takes the mouse
    QFont font() const { return m_font; }
    void syncWidget(); // pushes geometry and looks to a widget-backed control

private:
    void requireKind(std::initializer_list<Kind> kinds, const char* property) const;
    void assign(float& field, float value);
    void changed(const QRect& before);
    float px(float twips) const;
    qreal devicePixelRatio() const;

    Form& m_form;
    const StoredControl& m_stored;
    Control* m_container = nullptr;
    QPointer<QWidget> m_widget;
    QPointer<QWidget> m_proxy;
    QPointer<QTimer> m_timer;
    float m_left, m_top, m_width, m_height;
    float m_x1, m_y1, m_x2, m_y2;
    bool m_visible;
    bool m_enabled;
    Picture m_picture;
    QColor m_fore, m_back;
    QFont m_font;
    QString m_caption;
    QString m_text;
    PrintSettings m_print;
};

QFont fontOf(const StoredFont& stored);

} // namespace host
