// Pictures: shared, immutable images that keep the name of their asset.
#pragma once

#include <QIcon>
#include <QImage>
#include <QRegion>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <string_view>

class QPainter;

namespace host {

// A picture in words, for those who hear rather than see it.
struct PictureWords {
    QString name;
    QString description;
    bool decorative = false; // says nothing: not offered to assistive technology
};

class Picture {
public:
    Picture() = default; // no picture

    // The picture of an asset, rendered from its SVG source or read where the build
    // rendered it already; each asset is read once per run and every later call shares
    // it. Throws host::Error for an unknown asset.
    static Picture fromAsset(std::string_view asset);
    // An icon drawn from the SVG at whatever size and density it is shown.
    QIcon icon() const;
    // Where the words for pictures come from: the program's table of them.
    static void setWords(std::function<PictureWords(const QString& asset)> lookup);
    PictureWords words() const;

    bool isNull() const { return !m_data; }
    QString name() const;
    QSize size() const; // logical pixels
    // Rendered at the exact pixel size times the device pixel ratio, cached per ratio.
    QImage image(qreal devicePixelRatio = 1.0) const;
    QImage render(QSize pixels) const; // at any size, not kept
    void draw(QPainter& painter, QPointF topLeft) const;
    // Where this picture and another of the same size differ when rendered at this ratio:
    // device pixels from the top-left, in tiles; the whole picture when the sizes differ.
    // Computed once per pair and ratio.
    QRegion difference(const Picture& other, qreal devicePixelRatio) const;

    // Identity: two pictures are equal when they are the same asset.
    bool operator==(const Picture& other) const { return m_data == other.m_data; }

    struct Data; // shared by every control that shows the picture

private:
    explicit Picture(std::shared_ptr<Data> data) : m_data(std::move(data)) {}
    std::shared_ptr<Data> m_data;
};

// Draws an SVG over a transparent image of this many device pixels: how every picture is
// rendered, by the program and by the build for the pictures it ships already rendered.
QImage renderSvg(const QByteArray& svg, QSize pixels);

// Where the program holds a picture the build rendered at a whole device pixel ratio: its
// pixels as QImage::Format_ARGB32_Premultiplied in this machine's byte order, rows top to
// bottom with nothing between them, at the picture's size times the ratio.
QString shippedPath(const QString& asset, int devicePixelRatio);

} // namespace host
