#include "host/stage.h"

#include "host/widgets.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace host {

Stage::Stage()
{
    setWindowTitle(QGuiApplication::applicationDisplayName());
    setFocusPolicy(Qt::NoFocus);
    // Seen only where no window covers it, which in the program is nowhere: the backdrop
    // fills it.
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
}

void Stage::present()
{
    if (!isVisible()) {
        // The geometry is for an X server without a window manager, which ignores the
        // full-screen state; everywhere else the state decides.
        if (QScreen* screen = QGuiApplication::primaryScreen())
            setGeometry(screen->geometry());
        showFullScreen();
        windowHandle()->installEventFilter(this);
        followScreen(windowHandle()->screen());
        connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) { followScreen(screen); });
    }
    if (!isActiveWindow())
        activateWindow();
}

void Stage::followScreen(QScreen* screen)
{
    disconnect(m_screenGeometry);
    if (!screen)
        return;
    m_screenGeometry = connect(screen, &QScreen::geometryChanged, this, [this] { fitScreen(); });
    fitScreen();
}

void Stage::fitScreen()
{
    const QScreen* screen = windowHandle() ? windowHandle()->screen() : nullptr;
    if (screen && geometry() != screen->geometry())
        setGeometry(screen->geometry());
}

FormWidget* Stage::front() const
{
    FormWidget* filling = nullptr;
    const QObjectList& stack = children(); // back to front
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        auto* window = dynamic_cast<FormWidget*>(*it);
        if (!window || window->isHidden() || !window->current())
            continue;
        if (!window->fills())
            return window;
        filling = filling ? filling : window;
    }
    return filling;
}

void Stage::focusFront()
{
    if (FormWidget* window = front())
        window->takeFocus();
}

void Stage::setIcon(const QIcon& icon)
{
    if (windowHandle() && windowHandle()->isExposed()) {
        setWindowIcon(icon);
        m_icon = QIcon();
    } else {
        m_icon = icon;
    }
}

bool Stage::eventFilter(QObject* watched, QEvent* event)
{
    // The exposure paints the first frame when this returns; the icon follows it.
    if (event->type() == QEvent::Expose && !m_icon.isNull() && watched == windowHandle())
        QTimer::singleShot(0, this, [this] {
            if (!m_icon.isNull())
                setIcon(m_icon);
        });
    return QWidget::eventFilter(watched, event);
}

void Stage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (QObject* child : children())
        if (auto* window = dynamic_cast<FormWidget*>(child))
            window->place();
}

void Stage::closeEvent(QCloseEvent* event)
{
    // The desktop asks (a task switcher, Alt+F4 through a window manager); the window in
    // front answers, as its own close request.
    event->ignore();
    if (FormWidget* window = front())
        window->form().closeRequested();
}

bool Stage::event(QEvent* event)
{
    // Back from another program or a dialog: the keyboard goes to the window in front.
    if (event->type() == QEvent::WindowActivate)
        focusFront();
    return QWidget::event(event);
}

} // namespace host
