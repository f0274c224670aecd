// Renders SVG pictures through Qt's own SVG renderer, the one the program uses, so a
// person can look at exactly what the program will show.
//   render_pictures OUT.png SCALE FILE.svg...   one PNG with every picture side by side
// Each picture is drawn at its exact pixel size times SCALE on a checkerboard, so
// transparency shows, and is labelled with its name and size.
#include <QGuiApplication>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <vector>

namespace {

struct Entry {
    QString name;
    QSize size;
    QImage image;
};

QImage renderAt(QSvgRenderer& renderer, QSize size, int scale)
{
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size * scale)));
    return image;
}

void drawChecker(QPainter& p, const QRect& r)
{
    const int cell = 8;
    p.save();
    p.setClipRect(r);
    for (int y = r.top(); y < r.bottom(); y += cell)
        for (int x = r.left(); x < r.right(); x += cell)
            p.fillRect(x, y, cell, cell, ((x / cell + y / cell) % 2) ? QColor(204, 204, 204) : QColor(240, 240, 240));
    p.restore();
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: render_pictures OUT.png SCALE FILE.svg...\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const int scale = std::max(1, std::atoi(argv[2]));
    std::vector<Entry> entries;
    for (int i = 3; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        QSvgRenderer renderer(path);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "%s: not a valid SVG for Qt\n", argv[i]);
            return 1;
        }
        const QSize size = renderer.defaultSize();
        entries.push_back({QFileInfo(path).completeBaseName(), size, renderAt(renderer, size, scale)});
    }

    const int margin = 12, labelHeight = 16, maxRowWidth = 1800;
    int x = margin, y = margin, rowHeight = 0, width = 0;
    std::vector<QPoint> places;
    for (const Entry& e : entries) {
        const QSize s = e.image.size().expandedTo(QSize(120, 0));
        if (x + s.width() > maxRowWidth && x > margin) {
            x = margin;
            y += rowHeight + labelHeight + margin;
            rowHeight = 0;
        }
        places.push_back({x, y});
        x += s.width() + margin;
        rowHeight = std::max(rowHeight, s.height());
        width = std::max(width, x);
    }
    const int height = y + rowHeight + labelHeight + margin;
    QImage sheet(std::max(width, 200), height, QImage::Format_RGB32);
    sheet.fill(QColor(255, 255, 255));
    QPainter p(&sheet);
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    p.setFont(font);
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const QRect r(places[i] + QPoint(0, labelHeight), e.image.size());
        drawChecker(p, r);
        p.drawImage(r.topLeft(), e.image);
        p.setPen(Qt::black);
        p.drawText(places[i] + QPoint(0, 12),
                   QStringLiteral("%1 %2x%3").arg(e.name).arg(e.size.width()).arg(e.size.height()));
    }
    p.end();
    if (!sheet.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
