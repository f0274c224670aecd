#include "host/picture.h"

#include "host/error.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <QScreen>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <algorithm>
#include <cstring>
#include <future>
#include <map>
#include <optional>
#include <vector>

namespace host {

struct Picture::Data {
    QString name;
    QSize size;
    QByteArray svg;
    mutable std::map<qreal, QImage> rendered;
    // A window-sized picture the build did not render at the screen's ratio starts
    // rendering on another thread as soon as it is read, while its window is made and
    // mapped; the first paint takes it.
    mutable std::optional<std::pair<qreal, std::future<QImage>>> early;
    // By the other picture's name, which names its content for the whole run.
    mutable std::map<std::pair<QString, qreal>, QRegion> differences;
};

namespace {

// Window-sized pictures (the front end's, about a megabyte each rendered) are kept only
// while a window shows them: each of those windows loads once, so they still render
// once, but their memory goes with the window. Everything else stays for the run.
constexpr qint64 kKeptBytes = 512 * 1024;

// An image of a size in device pixels, to render into; its pixels are set when drawn.
QImage canvas(QSize pixels) { return QImage(pixels, QImage::Format_ARGB32_Premultiplied); }

// The size the root element declares, in whole pixels, read without building the drawing:
// that takes milliseconds for a window-sized picture, which its render on another thread
// does again anyway. The whole text is read, so a broken picture is still refused here.
// Empty when the text is not well formed or the root has no plain pixel size.
QSize declaredSize(const QByteArray& svg)
{
    QXmlStreamReader reader(svg);
    QSize size;
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement && !size.isValid()) {
            if (reader.name() != QLatin1String("svg"))
                return {};
            const QXmlStreamAttributes attributes = reader.attributes();
            bool wide = false, high = false;
            size = QSize(attributes.value(QLatin1String("width")).toInt(&wide),
                         attributes.value(QLatin1String("height")).toInt(&high));
            if (!wide || !high || size.isEmpty())
                return {};
        }
    return reader.hasError() ? QSize() : size;
}

QSize pixelsAt(QSize size, qreal devicePixelRatio) { return (QSizeF(size) * devicePixelRatio).toSize(); }

// Draws the picture over the whole image. Touches nothing shared, so it may run on any
// thread: Qt paints text into images off the user-interface thread too.
QImage drawInto(const QByteArray& svg, QImage image)
{
    // Cleared here rather than where it is allocated: the first touch of a window-sized
    // picture's pages takes milliseconds, which the other thread then takes.
    image.fill(Qt::transparent);
    {
        // In device pixels: the ratio is the image's only once it is drawn.
        QPainter painter(&image);
        QSvgRenderer renderer(svg);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    }
    return image;
}

// At its exact pixel size times the ratio.
QImage renderAtRatio(const QByteArray& svg, QImage image, qreal devicePixelRatio)
{
    image = drawInto(svg, std::move(image));
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

// The rendering the build made of a picture at this ratio (it does so for the front end's
// window-sized pictures at the ratios screens have); invalid where it made none.
QResource shipped(const QString& name, qreal devicePixelRatio)
{
    const int whole = int(devicePixelRatio);
    return QResource(whole == devicePixelRatio ? shippedPath(name, whole) : QString());
}

// That rendering, or a null image where there is none of this size. Reading it takes a
// millisecond or two where drawing the picture, lettering and all, takes tens.
QImage shippedAtRatio(const QString& name, QSize pixels, qreal devicePixelRatio)
{
    const QResource resource = shipped(name, devicePixelRatio);
    if (!resource.isValid())
        return {};
    auto* bytes = new QByteArray(resource.uncompressedData());
    if (bytes->size() != qsizetype(pixels.width()) * pixels.height() * 4) {
        delete bytes;
        return {};
    }
    QImage image(reinterpret_cast<const uchar*>(bytes->constData()), pixels.width(), pixels.height(),
                 qsizetype(pixels.width()) * 4, QImage::Format_ARGB32_Premultiplied,
                 [](void* held) { delete static_cast<QByteArray*>(held); }, bytes);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

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
    data->size = declaredSize(data->svg);
    if (data->size.isEmpty()) {
        // Sizes in other units, or a picture Qt cannot draw: Qt's own reading decides.
        const QSvgRenderer renderer(data->svg);
        data->size = renderer.isValid() ? renderer.defaultSize() : QSize();
        if (data->size.isEmpty()) {
            cache().remove(name);
            throw Error("The picture " + name.toStdString() + " cannot be read.");
        }
    }
    if (qint64(data->size.width()) * data->size.height() * 4 > kKeptBytes) {
        cached.shown = data;
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            if (const QScreen* screen = QGuiApplication::primaryScreen()) {
                const qreal ratio = screen->devicePixelRatio();
                // The pixels are allocated here: freed later by this thread, memory taken from
                // the other thread's allocator would stay with it.
                if (!shipped(name, ratio).isValid())
                    data->early.emplace(ratio, std::async(std::launch::async, renderAtRatio, data->svg,
                                                          canvas(pixelsAt(data->size, ratio)), ratio));
            }
    } else {
        cached.kept = data;
    }
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
    QImage image;
    const QSize pixels = pixelsAt(m_data->size, devicePixelRatio);
    if (m_data->early && m_data->early->first == devicePixelRatio) {
        image = m_data->early->second.get();
        m_data->early.reset();
    } else {
        image = shippedAtRatio(m_data->name, pixels, devicePixelRatio);
    }
    if (image.isNull())
        image = renderAtRatio(m_data->svg, canvas(pixels), devicePixelRatio);
    rendered.emplace(devicePixelRatio, image);
    return image;
}

QRegion Picture::difference(const Picture& other, qreal devicePixelRatio) const
{
    if (!m_data || !other.m_data)
        return {};
    const auto key = std::make_pair(other.m_data->name, devicePixelRatio);
    if (auto it = m_data->differences.find(key); it != m_data->differences.end())
        return it->second;
    const QImage a = image(devicePixelRatio), b = other.image(devicePixelRatio);
    QRegion region;
    if (a.size() != b.size() || a.format() != b.format() || a.depth() != 32) {
        region = QRect(QPoint(0, 0), a.size().expandedTo(b.size()));
    } else {
        // Per row of tiles the run from the first to the last tile that differs; then rows
        // joined while that wastes little. A few rectangles paint and reach the screen
        // faster than many small ones, each of which costs its own copy.
        constexpr int kTile = 16;
        std::vector<QRect> blocks;
        qint64 used = 0; // area of the runs in the last block
        for (int y = 0; y < a.height(); y += kTile) {
            const int rows = std::min(kTile, a.height() - y);
            int first = -1, last = -1;
            for (int x = 0; x < a.width(); x += kTile) {
                const int columns = std::min(kTile, a.width() - x);
                for (int row = y; row < y + rows; ++row)
                    if (std::memcmp(a.constScanLine(row) + 4 * x, b.constScanLine(row) + 4 * x, size_t(4 * columns))) {
                        first = first < 0 ? x : first;
                        last = x + columns;
                        break;
                    }
            }
            if (first < 0)
                continue;
            const QRect run(first, y, last - first, rows);
            const qint64 area = qint64(run.width()) * run.height();
            if (!blocks.empty() && blocks.back().bottom() + 1 == y) {
                const QRect joined = blocks.back().united(run);
                if (qint64(joined.width()) * joined.height() <= 2 * (used + area)) {
                    blocks.back() = joined;
                    used += area;
                    continue;
                }
            }
            blocks.push_back(run);
            used = area;
        }
        for (const QRect& block : blocks)
            region += block;
    }
    m_data->differences.emplace(key, region);
    return region;
}

QImage Picture::render(QSize pixels) const { return m_data ? renderSvg(m_data->svg, pixels) : QImage(); }

void Picture::draw(QPainter& painter, QPointF topLeft) const
{
    if (m_data)
        painter.drawImage(topLeft, image(painter.device()->devicePixelRatioF()));
}

QImage renderSvg(const QByteArray& svg, QSize pixels) { return drawInto(svg, canvas(pixels)); }

QString shippedPath(const QString& asset, int devicePixelRatio)
{
    return QStringLiteral(":/rendered/%1@%2x").arg(asset).arg(devicePixelRatio);
}

} // namespace host
