// The Qt widgets behind a loaded window: containers that paint their lightweight
// controls, keep them current as they change and route mouse events to them, and the
// widget-backed controls.
#pragma once

#include "host/control.h"
#include "host/form.h"

#include <QPushButton>
#include <QTextEdit>
#include <QWidget>
#include <optional>
#include <utility>
#include <string>

namespace host {

// A window's client area or a picture box: paints the images, labels and lines it
// holds in stored front-to-back order and sends each mouse event to the frontmost
// visible image or label under the pointer, else to itself.
class ContainerWidget : public QWidget {
public:
    ContainerWidget(Form& form, Control* self, QWidget* parent);

    Control* self() const { return m_self; }
    Form& form() const { return m_form; }
    // The control that takes a mouse event at this point (nullptr: the container).
    Control* hitTest(QPointF pos) const;
    // False once the window was unloaded or loaded afresh: this widget is then only
    // waiting to be deleted.
    bool current() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    // A picture box that takes the keyboard: its keys are its key-down events.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Target {
        std::string name;
        int index;
        unsigned generation;
        bool operator==(const Target&) const = default;
    };
    void paintArea(QPainter& painter, const QRect& area);
    void paintBorder(QPainter& painter, const Control& c) const;
    MouseArgs argsFor(const QMouseEvent* event, const Control* target) const;
    Target targetOf(const Control* c) const;
    void deliver(Event e, QMouseEvent* event);
    bool overBorder(QPointF pos) const;
    void showPointer(Pointer pointer);

    Form& m_form;
    Control* m_self; // the picture box; nullptr for the window itself
    unsigned m_generation;
    std::optional<Target> m_pressed;   // until the release that makes it a click
    std::optional<Target> m_lastPress; // what a double click's first press went to
    std::optional<std::pair<Pointer, qreal>> m_pointer; // the cursor last set, and at what ratio
};

// Paints an image, label or line of a container.
void paintControl(QPainter& painter, const Control& control);

// Pushes a widget-backed control's geometry, visibility and text to its widget.
void syncWidget(const Control& control);

// A window's client area, made with its controls' widgets for one load: a child of the
// stage, centred in it at its own size (or filling it: the backdrop), stacked by Show and
// hidden by Hide.
class FormWidget final : public ContainerWidget, public FormView {
public:
    FormWidget(Form& form, QWidget* stage);

    bool fills() const;
    QWidget* widget() override { return this; }
    void place() override; // centred in the stage, or filling it
    void backgroundChanged() override { QWidget::update(); }
    void showChange(const Control& control, const Change& change) override;
    // Set at the window's first showing: the stage has taken its title and icon.
    bool shownBefore() const { return m_shownBefore; }
    void setShownBefore() { m_shownBefore = true; }
    // The keyboard focus to the control that last had it here, else the one the layout
    // names, else the window itself.
    void takeFocus();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab goes round this window's own controls, never into a window behind it.
    bool focusNextPrevChild(bool next) override;
    // Watches the stage for the update request after which it paints.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createWidget(Control& control);
    void arrangeWidgets();
    void notePictureChange(const Control& control, const Picture& shown);
    void markPictureChanges();
    // The widget a control lies in: its picture box's, or this window's.
    QWidget* containerOf(const Control& control);

    bool m_shownBefore = false;
    // Controls whose picture changed since the last paint, each with the picture the
    // screen still shows. Marked just before the paint, so that a picture set several
    // times between two paints repaints only where the first and the last differ.
    std::vector<std::pair<const Control*, Picture>> m_unpainted;
};

// The rich text box: read-only here; pointer movement over it goes nowhere else.
class TextBoxWidget : public QTextEdit {
public:
    explicit TextBoxWidget(QWidget* parent);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// A push button with a picture; Return and Space press it, and the focus ring shows on it.
class ButtonWidget : public QPushButton {
public:
    ButtonWidget(Form& form, QWidget* parent);
    Form& form() const { return m_form; }
    void showPicture(const Picture& picture); // as its icon, at the size of the picture

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Form& m_form;
    Picture m_picture;
};

} // namespace host
