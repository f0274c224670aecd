// The labelled diagrams stay legible: every label lies whole inside its picture, is set at
// 8 px or more, keeps 2 px clear of every other lettering and has a leader that starts at
// it without running into another label. The boxes are the SVG renderer's own text boxes
// (advance width by ascent plus descent), so this measures what the program draws.
//
// In the pictures a label is a <text id="label-NAME">, its leader an element
// id="leader-NAME" (a path or a group of path and marker), the heading id="title".
#include <QFile>
#include <QRectF>
#include <QSvgRenderer>
#include <QTransform>
#include <QXmlStreamReader>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

QString pathOf(const char* picture)
{
    return QStringLiteral(PICTURES_DIR "/%1.svg").arg(QLatin1String(picture));
}

QStringList idsIn(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList ids;
    QXmlStreamReader xml(&f);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.attributes().hasAttribute("id"))
            ids << xml.attributes().value("id").toString();
    return ids;
}

// Where an element ends up in the picture: its bounds under its parents' transforms.
QRectF boxOf(const QSvgRenderer& svg, const QString& id)
{
    return svg.transformForElement(id).mapRect(svg.boundsOnElement(id));
}

// Clearance between two boxes: how far apart they are along the axis that separates them;
// zero or less when they touch or overlap.
double clearance(const QRectF& a, const QRectF& b)
{
    const double dx = std::max(b.left() - a.right(), a.left() - b.right());
    const double dy = std::max(b.top() - a.bottom(), a.top() - b.bottom());
    return std::max(dx, dy);
}

struct Lettering {
    QString id;
    QRectF box;
};

// Liberation Sans's line box is 1.117 em high, so a label lower than this is under 8 px.
constexpr double kLowestLabel = 8 * 1.117 - 0.05;
constexpr double kLabelClearance = 2;
constexpr double kLeaderReach = 3; // a leader starts at most this far from its label

constexpr const char* kDiagrams[] = {"movement_horizontal", "movement_vertical", "motherboard_labelled"};

TEST(DiagramLabels, LieInsideTheirPictureAtEightPixelsOrMoreAndKeepApart)
{
    for (const char* picture : kDiagrams) {
        SCOPED_TRACE(picture);
        const QString file = pathOf(picture);
        const QSvgRenderer svg(file);
        ASSERT_TRUE(svg.isValid());
        const QRectF frame(QPointF(0, 0), QSizeF(svg.defaultSize()));

        std::vector<Lettering> letterings;
        for (const QString& id : idsIn(file))
            if (id == "title" || id.startsWith("label-"))
                letterings.push_back({id, boxOf(svg, id)});
        ASSERT_GE(letterings.size(), 3u) << "labels carry their ids";

        for (const Lettering& l : letterings) {
            EXPECT_TRUE(frame.contains(l.box)) << qPrintable(l.id);
            EXPECT_GE(l.box.height(), kLowestLabel) << qPrintable(l.id);
        }
        for (std::size_t i = 0; i < letterings.size(); ++i)
            for (std::size_t j = i + 1; j < letterings.size(); ++j)
                EXPECT_GE(clearance(letterings[i].box, letterings[j].box), kLabelClearance)
                    << qPrintable(letterings[i].id) << " and " << qPrintable(letterings[j].id);
    }
}

TEST(DiagramLabels, EachLeaderStartsAtItsLabelAndCrossesNoOther)
{
    for (const char* picture : kDiagrams) {
        SCOPED_TRACE(picture);
        const QString file = pathOf(picture);
        const QSvgRenderer svg(file);
        const QStringList ids = idsIn(file);
        for (const QString& label : ids) {
            if (!label.startsWith("label-"))
                continue;
            const QString leader = "leader-" + label.mid(6);
            ASSERT_TRUE(ids.contains(leader)) << qPrintable(label);
            const QRectF line = boxOf(svg, leader);
            EXPECT_LE(clearance(line, boxOf(svg, label)), kLeaderReach) << qPrintable(leader);
            for (const QString& other : ids) {
                if ((!other.startsWith("label-") && other != "title") || other == label)
                    continue;
                EXPECT_GT(clearance(line, boxOf(svg, other)), 0)
                    << qPrintable(leader) << " runs into " << qPrintable(other);
            }
        }
    }
}

} // namespace
