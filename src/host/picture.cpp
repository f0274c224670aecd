#include "host/picture.h"

#include "host/error.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <map>
#include <QFile>

namespace host {

struct Picture::Data {
    QString name;
    QSize size;
    QByteArray svg;
    mutable std::map<qreal, QImage> rendered;
};

namespace {

QHash<QString, std::shared_ptr<Picture::Data>>& cache()
{
    static QHash<QString, std::shared_ptr<Picture::Data>> pictures;
    return pictures;
}

} // namespace

Picture Picture::fromAsset(std::string_view asset)
{
    const QString name = QString::fromUtf8(asset.data(), qsizetype(asset.size()));
    auto& pictures = cache();
    if (auto it = pictures.constFind(name); it != pictures.constEnd())
        return Picture(*it);

    QFile file(QStringLiteral(":/pictures/%1.svg").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        throw Error("There is no picture named " + name.toStdString() + ".");
    auto data = std::make_shared<Data>();
    data->name = name;
    data->svg = file.readAll();
    QSvgRenderer renderer(data->svg);
    if (!renderer.isValid())
        throw Error("The picture " + name.toStdString() + " cannot be read.");
    data->size = renderer.defaultSize();
    pictures.insert(name, data);
    return Picture(data);
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
