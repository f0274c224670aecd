// Renders pictures at build time, as the program renders them, for the program to ship.
//   prerender_pictures OUTDIR RATIO[,RATIO...] FILE.svg...
// Writes OUTDIR/NAME@RATIOx for each picture and ratio: the raw pixels host::shippedPath
// describes. Refuses to run when a font the pictures letter with is missing, which would
// otherwise be drawn into every copy of the program in a stand-in font.
#include "host/picture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <cstdio>

namespace {

// The families the picture names, as in font-family="Liberation Sans".
QSet<QString> familiesOf(const QByteArray& svg)
{
    QSet<QString> families;
    QXmlStreamReader reader(svg);
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement)
            if (const auto family = reader.attributes().value(QLatin1String("font-family")); !family.isEmpty())
                families.insert(family.toString().remove(QLatin1Char('\'')).trimmed());
    return families;
}

int fail(const QString& message)
{
    std::fprintf(stderr, "prerender_pictures: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: prerender_pictures OUTDIR RATIO[,RATIO...] FILE.svg...\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return fail(QStringLiteral("cannot make %1").arg(out.path()));
    QList<int> ratios;
    for (const QString& part : QString::fromLocal8Bit(argv[2]).split(QLatin1Char(','))) {
        bool whole = false;
        const int ratio = part.toInt(&whole);
        if (!whole || ratio < 1 || ratio > 4)
            return fail(QStringLiteral("a ratio is a whole number from 1 to 4, not \"%1\"").arg(part));
        ratios.push_back(ratio);
    }
    for (int i = 3; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("cannot read %1").arg(path));
        const QByteArray svg = file.readAll();
        const QSvgRenderer renderer(svg);
        if (!renderer.isValid() || renderer.defaultSize().isEmpty())
            return fail(QStringLiteral("%1 is not a picture Qt can draw").arg(path));
        for (const QString& family : familiesOf(svg))
            if (!QFontInfo(QFont(family)).exactMatch())
                return fail(QStringLiteral("%1 letters in %2, which is not installed").arg(path, family));
        const QString name = QFileInfo(path).completeBaseName();
        for (const int ratio : ratios) {
            const QImage image = host::renderSvg(svg, renderer.defaultSize() * ratio);
            const QString target = out.filePath(QStringLiteral("%1@%2x").arg(name).arg(ratio));
            QSaveFile written(target);
            if (!written.open(QIODevice::WriteOnly)
                || written.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes())
                       != image.sizeInBytes()
                || !written.commit())
                return fail(QStringLiteral("cannot write %1").arg(target));
        }
    }
    return 0;
}
