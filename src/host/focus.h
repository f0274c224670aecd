// The keyboard on the program's windows: painted controls that take the focus through a
// stand-in widget, the keys that act on a focused control, and the ring that shows where
// the focus is.
#pragma once

#include <QWidget>
#include <string>

class QKeyEvent;
class QPainter;

namespace host {

class Control;
class Form;

// The ring around whatever has the keyboard focus: the program's purple, with a white
// edge so that it shows on dark pictures and on white pages alike.
void paintFocusRing(QPainter& painter, const QRectF& around);
inline constexpr int kFocusRingMargin = 3; // pixels outside what it surrounds

// Key codes as the windows' handlers know them (13 Return, 27 Escape, 32 Space, 37 to 40
// the arrows); 0 for keys without one.
int keyCodeOf(const QKeyEvent* event);
int shiftOf(Qt::KeyboardModifiers modifiers); // 1 Shift, 2 Ctrl, 4 Alt

// Return, Enter or Space: what clicks a focused button.
bool isActivation(const QKeyEvent* event);

// Stands in for an image or label that takes the keyboard focus: it lies over the control
// (the mouse passes through to the control beneath), shows the focus ring, turns Return
// and Space into the control's click and other keys into its key-down, and is what a
// screen reader finds for the control.
class ControlProxy : public QWidget {
public:
    ControlProxy(Form& form, const Control& control, QWidget* container);

    // The control it stands for, while its window is the same load; else nullptr.
    Control* control() const;
    Form& form() const { return m_form; }
    void place();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Form& m_form;
    std::string m_name;
    int m_index;
    unsigned m_generation;
};

} // namespace host
