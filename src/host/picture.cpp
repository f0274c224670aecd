#include "host/picture.h"

#include "host/error.h"

#include <QHash>
#include <QPainter>
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

QIcon Picture::iconOf(std::string_view asset)
{
    const QString path = QStringLiteral(":/pictures/%1.svg").arg(QString::fromUtf8(asset.data(), qsizetype(asset.size())));
    if (!QFile::exists(path))
        throw Error("There is no picture named " + std::string(asset) + ".");
    return QIcon(path);
}

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
    const QSize pixels = (QSizeF(m_data->size) * devicePixelRatio).toSize();
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        QSvgRenderer renderer(m_data->svg);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    image.setDevicePixelRatio(devicePixelRatio);
    rendered.emplace(devicePixelRatio, image);
    return image;
}

void Picture::draw(QPainter& painter, QPointF topLeft) const
{
    if (m_data)
        painter.drawImage(topLeft, image(painter.device()->devicePixelRatioF()));
}

} // namespace host
