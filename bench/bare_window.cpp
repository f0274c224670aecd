// The baseline for start-up and memory: the least a Qt Widgets program needs to put
// one borderless window with one picture on screen.
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
    explicit BareWindow(QSize size) : m_image(size, QImage::Format_ARGB32_Premultiplied)
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
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
        painter.drawImage(0, 0, m_image);
    }

private:
    QImage m_image;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The splash window's size at 96 pixels per inch, centred like it.
    const QSize size(496, 396);
    BareWindow window(size);
    window.setWindowTitle(QStringLiteral("Bench Bare Window"));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window.setGeometry(QRect(screen.center() - QPoint(size.width() / 2, size.height() / 2), size));
    window.show();
    window.raise();
    return QApplication::exec();
}
