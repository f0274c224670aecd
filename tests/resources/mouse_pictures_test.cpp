// The mouse boards of the simulations meet the cable lines that the desks draw up to
// their top edge, and are one drawing lit two ways.
#include "host/picture.h"
#include "resources/layouts/mouse_desk.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

namespace layouts = resources::layouts;

QImage render(const char* asset) { return host::Picture::fromAsset(asset).image(1.0); }

// The picture columns a vertical line covers, the way the program paints it: the line's
// x is floor(twips / twipsPerPixel), an odd-width pen sits on the pixel centre, and the
// picture's left is round(twips / twipsPerPixel).
std::vector<int> lineColumns(float lineX, int width, float pictureLeft, float twipsPerPixel)
{
    const double centre = std::floor(lineX / twipsPerPixel) + (width % 2 ? 0.5 : 0.0);
    const int first = int(std::floor(centre - width / 2.0)) - int(std::lround(pictureLeft / twipsPerPixel));
    std::vector<int> columns;
    for (int x = first; x < first + width; ++x)
        columns.push_back(x);
    return columns;
}

// On the desks the sprite's left is where the pointer put it and the cable's lower ends
// are 360 and 362 twips to its right (the desk pages' move handlers); before the first
// move they are where the layout stored them.
TEST(MouseBoards, TheCableLinesMeetTheStrainReliefInBothDensitiesBeforeAndAfterAMove)
{
    const float storedLeft = layouts::kPicmouse.left;
    const struct {
        const char* what;
        float thickOffset, thinOffset;
    } places[] = {
        {"after a move", 360, 362},
        {"as stored", layouts::kCableThick.x1 - storedLeft, layouts::kCableThin.x2 - storedLeft},
    };
    const QRgb desk = qRgb(0x00, 0x40, 0x80);
    for (const char* board : {"board_unlit", "board_lit"}) {
        const QImage image = render(board);
        for (const auto& place : places)
            for (float twipsPerPixel : {12.0f, 15.0f}) {
                // A left on a whole pixel, as the pointer's positions are.
                const float left = std::round(storedLeft / twipsPerPixel) * twipsPerPixel;
                std::vector<int> columns =
                    lineColumns(left + place.thickOffset, layouts::kThickLine, left, twipsPerPixel);
                columns.push_back(lineColumns(left + place.thinOffset, 1, left, twipsPerPixel)[0]);
                for (int x : columns)
                    EXPECT_NE(image.pixel(x, 0), desk)
                        << board << ", " << place.what << ", " << 1440 / twipsPerPixel << " dpi, column " << x;
            }
    }
}

// Lighting up only adds light and turns the signal path red: every pixel that changes is
// either signal red or lighter in its red and green than at rest.
TEST(MouseBoards, TheLitBoardIsTheRestingBoardWithItsLightsOnAndItsSignalPathRed)
{
    const QImage rest = render("board_unlit");
    const QImage lit = render("board_lit");
    ASSERT_EQ(rest.size(), lit.size());
    int red = 0, light = 0;
    for (int y = 0; y < lit.height(); ++y)
        for (int x = 0; x < lit.width(); ++x) {
            const QRgb a = rest.pixel(x, y), b = lit.pixel(x, y);
            if (a == b)
                continue;
            if (b == qRgb(255, 0, 0))
                ++red;
            else if (qRed(b) >= qRed(a) && qGreen(b) >= qGreen(a))
                ++light;
            else
                ADD_FAILURE() << "changed other than by light at " << x << "," << y;
        }
    EXPECT_GT(red, 100);
    EXPECT_GT(light, 40);
}

// Collects the 4-connected signal-red pixels reachable from a seed.
std::vector<QPoint> redRun(const QImage& image, QPoint seed)
{
    std::vector<QPoint> run, todo{seed};
    std::vector<bool> seen(size_t(image.width() * image.height()));
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        if (!image.rect().contains(p) || seen[size_t(p.y() * image.width() + p.x())] ||
            image.pixel(p) != qRgb(255, 0, 0))
            continue;
        seen[size_t(p.y() * image.width() + p.x())] = true;
        run.push_back(p);
        for (QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
            todo.push_back(p + step);
    }
    return run;
}

// Each lit trace runs unbroken, and uncovered by any part, between the two things it joins.
TEST(MouseBoards, TheLitSignalPathJoinsEachSensorToTheChipAndTheChipToTheSocket)
{
    const QImage lit = render("board_lit");
    const QRect chip(10, 23, 13, 14); // body and pins
    const struct {
        const char* from;
        QRect start;
        QRect end;
    } traces[] = {
        {"sideways sensor", QRect(18, 72, 1, 3), chip},
        {"forward sensor", QRect(46, 60, 3, 1), chip},
        {"chip output", QRect(23, 25, 1, 1), QRect(22, 7, 11, 5)},
    };
    for (const auto& t : traces) {
        std::vector<QPoint> run;
        for (int y = t.start.top(); y <= t.start.bottom() && run.empty(); ++y)
            for (int x = t.start.left(); x <= t.start.right() && run.empty(); ++x)
                run = redRun(lit, QPoint(x, y));
        ASSERT_FALSE(run.empty()) << t.from << ": no red trace starts there";
        const bool arrives = std::any_of(run.begin(), run.end(), [&](QPoint p) {
            return t.end.adjusted(-1, -1, 1, 1).contains(p);
        });
        EXPECT_TRUE(arrives) << t.from;
    }
}

} // namespace
