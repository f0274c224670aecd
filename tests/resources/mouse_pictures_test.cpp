// The mouse pictures meet the cable lines that the windows draw up to their top edge, and
// the two circuit boards of the simulations are one drawing lit two ways.
#include "host/picture.h"
#include "resources/layouts/layouts.h"
#include "resources/layouts/mouse_desk.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace layouts = resources::layouts;

QImage render(const char* asset) { return host::Picture::fromAsset(asset).image(1.0); }

const host::StoredControl& control(const host::StoredWindow& form, std::string_view name)
{
    for (const host::StoredControl& c : form.controls)
        if (c.name && name == c.name)
            return c;
    throw std::runtime_error(std::string(form.name) + " has no " + std::string(name));
}

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

struct CableCase {
    const char* what;
    float twipsPerPixel;
    float pictureLeft, thickX, thinX;
};

std::string describe(const CableCase& c, int x)
{
    return std::string(c.what) + ", column " + std::to_string(x);
}

// The stored (120 dpi) places come from the layouts; the small-font (96 dpi) places are
// the moves that Frm1 and frmk0 make on such displays, copied here from their tables.
std::vector<CableCase> mouseTopCases()
{
    const host::StoredWindow& page = layouts::Frm1;
    const host::StoredWindow& title = layouts::frmk0;
    return {
        {"page 1, 120 dpi", 12, control(page, "Image4").left, control(page, "Line1").x1, control(page, "Line2").x1},
        {"page 1, 96 dpi", 15, 5475, 5940, 5925},
        {"title, 120 dpi", 12, control(title, "Image4").left, control(title, "Line1").x1, control(title, "Line2").x1},
        {"title, 96 dpi", 15, 3855, 4305, 4290},
    };
}

// A cable is a neutral grey, neither the white page nor the desk.
bool isCableGrey(QRgb pixel)
{
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    return std::max({r, g, b}) - std::min({r, g, b}) < 24 && g >= 0x40 && g <= 0xC8;
}

TEST(MouseTop, TheStoredCableLinesLandOnItsCableStub)
{
    const QImage image = render("mouse_top");
    for (const CableCase& c : mouseTopCases()) {
        std::vector<int> columns = lineColumns(c.thickX, layouts::kThickLine, c.pictureLeft, c.twipsPerPixel);
        const std::vector<int> thin = lineColumns(c.thinX, 1, c.pictureLeft, c.twipsPerPixel);
        columns.insert(columns.end(), thin.begin(), thin.end());
        for (int x : columns)
            for (int y : {0, 1})
                EXPECT_TRUE(isCableGrey(image.pixel(x, y))) << describe(c, x) << ", row " << y;
    }
}

TEST(MouseTop, TheBodyIsCentredUnderTheCableClearOfTheTopEdge)
{
    const QImage image = render("mouse_top");
    // Away from the stub the top rows are the page's white: the body does not touch the edge.
    for (int x = 0; x < image.width(); ++x) {
        if (x >= 26 && x <= 34)
            continue;
        for (int y : {0, 1, 2})
            EXPECT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
    }
    // The case is warm grey; its shadow and the page are neutral.
    auto warm = [&](int x, int y) { return qRed(image.pixel(x, y)) - qBlue(image.pixel(x, y)) > 4; };
    int left = image.width(), right = -1;
    for (int x = 0; x < image.width(); ++x)
        if (warm(x, 50)) {
            left = std::min(left, x);
            right = std::max(right, x);
        }
    ASSERT_LT(left, right);
    double cable = 0;
    const auto cases = mouseTopCases();
    for (const CableCase& c : cases)
        cable += lineColumns(c.thickX, layouts::kThickLine, c.pictureLeft, c.twipsPerPixel)[1] + 0.5;
    cable /= double(cases.size());
    EXPECT_NEAR((left + right) / 2.0, cable, 1.0) << left << ".." << right;
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
