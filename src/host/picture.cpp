#include "host/picture.h"

#include "host/error.h"

#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QFile>
#include <map>

namespace host {

struct Picture::Data {
    QString name;
    QSize size;
    QByteArray svg;
    mutable std::map<qreal, QImage> rendered;
};

namespace {

// Window-sized pictures (the front end's, about a megabyte each rendered) are kept only
// while a window shows them: each of those windows loads once, so they still render
// once, but their memory goes with the window. Everything else stays for the run.
constexpr qint64 kKeptBytes = 512 * 1024;

struct Cached {
    std::shared_ptr<Picture::Data> kept;
    std::weak_ptr<Picture::Data> shown;
};

QHash<QString, Cached>& cache()
{
    static QHash<QString, Cached> pictures;
    return pictures;
}

} // namespace

Picture Picture::fromAsset(std::string_view asset)
{
    const QString name = QString::fromUtf8(asset.data(), qsizetype(asset.size()));
    Cached& cached = cache()[name];
    if (cached.kept)
        return Picture(cached.kept);
    if (auto data = cached.shown.lock())
        return Picture(data);

    QFile file(QStringLiteral(":/pictures/%1.svg").arg(name));
    if (!file.open(QIODevice::ReadOnly)) {
        cache().remove(name);
        throw Error("There is no picture named " + name.toStdString() + ".");
    }
    auto data = std::make_shared<Data>();
    data->name = name;
    data->svg = file.readAll();
    QSvgRenderer renderer(data->svg);
    if (!renderer.isValid()) {
        cache().remove(name);
        throw Error("The picture " + name.toStdString() + " cannot be read.");
    }
    data->size = renderer.defaultSize();
    if (qint64(data->size.width()) * data->size.height() * 4 > kKeptBytes)
        cached.shown = data;
    else
        cached.kept = data;
    return Picture(data);
}

namespace {

// An icon that renders its picture at whatever size and density it is shown: window
// icons are asked for at many sizes, and buttons at the screen's device pixel ratio.
class PictureIconEngine : public QIconEngine {
public:
    explicit PictureIconEngine(Picture picture) : m_picture(std::move(picture)) {}

    QIconEngine* clone() const override { return new PictureIconEngine(m_picture); }
    QString key() const override { return QStringLiteral("VantrelPicture"); }
    bool isNull() override { return m_picture.isNull(); }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return m_picture.size().scaled(size, Qt::KeepAspectRatio).boundedTo(size);
    }

    // Qt asks in device pixels and sets the pixmap's ratio itself.
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const QSize fitted = m_picture.size().scaled(size, Qt::KeepAspectRatio);
        if (fitted.isEmpty())
            return {};
        // At its own size on this screen (a button's) it comes from the picture's cache;
        // other sizes (a window icon's) are rendered for the one asking, who keeps them.
        const qreal ratio = qreal(fitted.width()) / m_picture.size().width();
        if (ratio == 1 || ratio == qApp->devicePixelRatio()) {
            QImage image = m_picture.image(ratio);
            image.setDevicePixelRatio(1);
            return QPixmap::fromImage(std::move(image));
        }
        return QPixmap::fromImage(m_picture.render(fitted));
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatioF();
        QPixmap pixels = pixmap((QSizeF(actualSize(rect.size(), mode, state)) * ratio).toSize(), mode, state);
        pixels.setDevicePixelRatio(ratio);
        const QSizeF shown = QSizeF(pixels.size()) / ratio;
        painter->drawPixmap(QPointF(rect.x() + (rect.width() - shown.width()) / 2,
                                    rect.y() + (rect.height() - shown.height()) / 2),
                            pixels);
    }

private:
    Picture m_picture;
};

} // namespace

QIcon Picture::icon() const { return QIcon(new PictureIconEngine(*this)); }

QIcon Picture::iconOf(std::string_view asset) { return fromAsset(asset).icon(); }

namespace {
std::function<PictureWords(const QString&)>& wordsLookup()
{
    static std::function<PictureWords(const QString&)> lookup;
    return lookup;
}
} // namespace

void Picture::setWords(std::function<PictureWords(const QString& asset)> lookup) { wordsLookup() = std::move(lookup); }

PictureWords Picture::words() const
{
    if (!m_data || !wordsLookup())
        return {};
    return wordsLookup()(m_data->name);
}

QString Picture::name() const { return m_data ? m_data->name : QString(); }

QSize Picture::size() const { return m_data ? m_data->size : QSize(); }

QImage Picture::image(qreal devicePixelRatio) const
{
    if (!m_data)
        return {};
    auto& rendered = m_data->rendered;
    if (auto it = rendered.find(devicePixelRatio); it != rendered.end())
        return it->second;
    QImage image = render((QSizeF(m_data->size) * devicePixelRatio).toSize());
    image.setDevicePixelRatio(devicePixelRatio);
    rendered.emplace(devicePixelRatio, image);
    return image;
}

QImage Picture::render(QSize pixels) const
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (m_data) {
        QPainter painter(&image);
        QSvgRenderer renderer(m_data->svg);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    return image;
}

void Picture::draw(QPainter& painter, QPointF topLeft) const
{
    if (m_data)
        painter.drawImage(topLeft, image(painter.device()->devicePixelRatioF()));
}

} // namespace host
