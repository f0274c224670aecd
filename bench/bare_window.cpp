// The baseline for start-up and memory: the least a Qt Widgets program needs to put
// one full-screen window with one picture on screen.
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
public:
    BareWindow(QSize screen, QSize size)
        : m_image(size, QImage::Format_ARGB32_Premultiplied), m_at((screen.width() - size.width()) / 2,
                                                                    (screen.height() - size.height()) / 2)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        QPainter painter(&m_image);
        QLinearGradient gradient(0, 0, size.width(), size.height());
        gradient.setColorAt(0, QColor(40, 20, 120));
        gradient.setColorAt(1, QColor(230, 200, 60));
        painter.fillRect(m_image.rect(), gradient);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(111, 81, 166));
        painter.drawImage(m_at, m_image);
    }

private:
    QImage m_image;
    QPoint m_at;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Like the program: one full-screen window, a plain colour with the splash window's
    // picture (its size at 96 pixels per inch) in the middle.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    BareWindow window(screen.size(), QSize(496, 396));
    window.setWindowTitle(QStringLiteral("Bench Bare Window"));
    window.setGeometry(screen);
    window.showFullScreen();
    return QApplication::exec();
}
