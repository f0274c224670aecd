// The program's one top-level window. Every window of the program is a child widget of
// it, so stacking, centring, focus and repainting are the program's own business on any
// desktop, X11 or Wayland, with or without a window manager.
#pragma once

#include <QWidget>

namespace host {

class FormWidget;

class Stage : public QWidget {
public:
    Stage();

    // Full screen on its screen, shown and active.
    void present();
    // The window in front of the user: the topmost shown window that does not fill the
    // stage, else the one that does (the backdrop); nullptr when nothing is shown.
    FormWidget* front() const;
    // Gives the keyboard focus to the window in front.
    void focusFront();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void followScreen(QScreen* screen);
    void fitScreen();

    QMetaObject::Connection m_screenGeometry;
};

} // namespace host
