// The program's one top-level window. Every window of the program is a child widget of
// it, so stacking, centring, focus and repainting are the program's own business on any
// desktop, X11 or Wayland, with or without a window manager.
#pragma once

#include <QIcon>
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
    // The program's icon for the desktop. It goes on once the first frame is out: it is
    // drawn at every size a desktop may ask for, which would hold up the first picture.
    void setIcon(const QIcon& icon);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followScreen(QScreen* screen);
    void fitScreen();

    QMetaObject::Connection m_screenGeometry;
    QIcon m_icon; // until the window has been exposed
};

} // namespace host
