// Every picture renders at its exact size, is not blank, keeps transparency only where
// it should, and the shared ones are one asset.
#include "host/picture.h"
#include "resources/image_list.h"
#include "resources/layouts/layouts.h"
#include "support/stored_layouts.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QResource>
#include <QSvgRenderer>
#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>
#include <gtest/gtest.h>

namespace {

QImage render(const char* asset) { return host::Picture::fromAsset(asset).image(1.0); }

struct Expected {
    const char* asset;
    int width, height;
};

constexpr std::array<Expected, 25> kSizes{{
    {"plate", 38, 38},          {"page_rule", 536, 2},     {"title_rule", 800, 2},
    {"dots", 52, 16},           {"cursor_hand_down", 32, 32}, {"program_icon", 32, 32},
    {"mouse_top", 60, 91},      {"screen_pointer", 20, 27}, {"disk0", 35, 35},
    {"disk1", 34, 35},          {"disk2", 35, 35},         {"ball0", 61, 61},
    {"board_unlit", 60, 91},    {"board_lit", 60, 91},     {"menu_mouse", 21, 32},
    {"menu_orvane", 32, 31},    {"splash", 587, 439},      {"welcome", 587, 410},
    {"menu_back", 587, 410},    {"preview_main", 614, 420}, {"preview_orvane", 614, 443},
    {"maker_notice", 164, 19},  {"maker_logo", 119, 35},   {"motherboard_labelled", 320, 308},
    {"mb_plain", 285, 295},
}};

TEST(Pictures, EachRendersAtItsExactPixelSize)
{
    for (const Expected& e : kSizes)
        EXPECT_EQ(render(e.asset).size(), QSize(e.width, e.height)) << e.asset;
    for (const char* asset : resources::imageList())
        EXPECT_EQ(render(asset).size(), QSize(38, 38)) << asset;
    // The size read from the root element is the one Qt's own reading of the drawing gives.
    const QDir dir(QStringLiteral(PICTURES_DIR));
    for (const QString& file : dir.entryList({"*.svg"})) {
        const std::string asset = QFileInfo(file).completeBaseName().toStdString();
        EXPECT_EQ(host::Picture::fromAsset(asset).size(), QSvgRenderer(dir.filePath(file)).defaultSize()) << asset;
    }
}

// Share of pixels that differ from the corner pixel (the picture's ground).
double drawnShare(const QImage& image)
{
    const QRgb ground = image.pixel(0, 0);
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += image.pixel(x, y) != ground;
    return double(drawn) / (image.width() * image.height());
}

TEST(Pictures, NoneIsBlank)
{
    const QDir dir(QStringLiteral(PICTURES_DIR));
    const QStringList files = dir.entryList({"*.svg"});
    ASSERT_GE(files.size(), 45);
    for (const QString& file : files) {
        const std::string asset = QFileInfo(file).completeBaseName().toStdString();
        const QImage image = render(asset.c_str());
        // The rules are gradients: every pixel differs from the first.
        EXPECT_GT(drawnShare(image), 0.05) << asset;
    }
}

// The front end's windows show their pictures as the build rendered them, at the ratios it
// rendered: that rendering must be what the SVG draws now, pixel for pixel.
TEST(Pictures, TheFrontEndsPicturesShipRenderedAsTheirSvgDrawsThem)
{
    const QDir dir(QStringLiteral(PICTURES_DIR));
    for (const char* window : {"Form1", "Form2", "Form3", "Form4", "Form5"}) {
        const char* asset = support::layoutNamed(window)->picture;
        ASSERT_NE(asset, nullptr) << window;
        QFile file(dir.filePath(QString::fromLatin1(asset) + QStringLiteral(".svg")));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << asset;
        const QByteArray svg = file.readAll();
        const host::Picture picture = host::Picture::fromAsset(asset);
        for (const int ratio : {1, 2}) {
            EXPECT_TRUE(QResource(host::shippedPath(QString::fromLatin1(asset), ratio)).isValid())
                << asset << " is not shipped at " << ratio;
            const QImage shown = picture.image(ratio);
            EXPECT_EQ(shown.devicePixelRatio(), ratio) << asset;
            QImage drawn = host::renderSvg(svg, picture.size() * ratio);
            ASSERT_EQ(shown.size(), drawn.size()) << asset << " at " << ratio;
            drawn.setDevicePixelRatio(ratio);
            int differing = 0;
            for (int y = 0; y < drawn.height(); ++y)
                for (int x = 0; x < drawn.width(); ++x)
                    differing += shown.pixel(x, y) != drawn.pixel(x, y);
            EXPECT_EQ(differing, 0) << asset << " at " << ratio;
        }
    }
}

TEST(Pictures, TransparencyOnlyWhereThePictureNeedsIt)
{
    for (const char* ball : {"ball0", "ball1", "ball2"}) {
        const QImage image = render(ball);
        for (QPoint corner : {QPoint(0, 0), QPoint(60, 0), QPoint(0, 60), QPoint(60, 60)})
            EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << ball;
        EXPECT_EQ(qAlpha(image.pixel(30, 30)), 255) << ball;
    }
    for (const char* cursor : {"cursor_hand_down", "cursor_hand_right", "cursor_hand_left", "cursor_hand_up"})
        EXPECT_LT(drawnShare(render(cursor)), 0.6) << cursor; // a hand on a see-through ground
    // Pictures on a page are opaque all over.
    for (const char* opaque : {"btn_for", "plate", "mouse_top", "disk0", "mb_plain", "splash", "board_lit"}) {
        const QImage image = render(opaque);
        bool allOpaque = true;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                allOpaque = allOpaque && qAlpha(image.pixel(x, y)) == 255;
        EXPECT_TRUE(allOpaque) << opaque;
    }
}

TEST(Pictures, TheMouseBoardsHaveTheDesksColourAtTheirCorners)
{
    for (const char* board : {"board_unlit", "board_lit"}) {
        const QImage image = render(board);
        for (QPoint corner : {QPoint(0, 0), QPoint(59, 0), QPoint(0, 90), QPoint(59, 90)})
            EXPECT_EQ(QColor(image.pixel(corner)), QColor(0x00, 0x40, 0x80)) << board;
    }
}

TEST(Pictures, LitAndRestingButtonsDifferAndTheLitOnesAreLighter)
{
    const auto list = resources::imageList();
    const std::array<std::pair<int, int>, 6> pairs{{{1, 6}, {2, 7}, {3, 8}, {4, 9}, {5, 10}, {12, 11}}};
    auto lightness = [](const QImage& image) {
        double sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                sum += QColor(image.pixel(x, y)).lightnessF();
        return sum;
    };
    for (const auto& [lit, resting] : pairs) {
        const QImage a = render(list[size_t(lit - 1)]);
        const QImage b = render(list[size_t(resting - 1)]);
        EXPECT_NE(a, b) << lit;
        EXPECT_GT(lightness(a), lightness(b)) << lit;
    }
}

// The page-8 boards are one drawing: they differ only where the traces light up.
TEST(Pictures, TheMotherboardsDifferOnlyInTheirTraceRegions)
{
    const QImage plain = render("mb_plain");
    const struct {
        const char* asset;
        QRect traces;
    } lit[] = {{"mb_serial", QRect(20, 5, 206, 233)}, {"mb_bus", QRect(85, 74, 97, 165)}};
    for (const auto& l : lit) {
        const QImage image = render(l.asset);
        int inside = 0, outside = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                if (image.pixel(x, y) != plain.pixel(x, y))
                    ++(l.traces.contains(x, y) ? inside : outside);
        EXPECT_EQ(outside, 0) << l.asset;
        EXPECT_GT(inside, 200) << l.asset;
    }
}

// Page 8's fixed cable runs across to the board and stops just short of its left edge; at
// every density the board's mouse connector must be what it arrives at.
const host::StoredControl& onPageEight(std::string_view name)
{
    const host::StoredWindow& page = *support::layoutNamed("Frm8");
    const auto it = std::find_if(page.controls.begin(), page.controls.end(),
                                 [&](const host::StoredControl& c) { return c.name && name == c.name; });
    if (it == page.controls.end())
        throw std::runtime_error("no control " + std::string(name) + " on page 8");
    return *it;
}

TEST(Pictures, PageEightsCableArrivesAtTheBoardsMouseConnector)
{
    const host::StoredControl& board = onPageEight("Imgmb");
    const host::StoredControl& cable = onPageEight("Line3"); // the thick one, on the board's side
    for (const int dpi : {96, 120}) {
        const double twipsPerPixel = 1440.0 / dpi;
        EXPECT_LE((board.left - std::max(cable.x1, cable.x2)) / twipsPerPixel, 1.0) << dpi << " dpi";
        const double centre = (cable.y1 - board.top) / twipsPerPixel;
        const int first = int(std::floor(centre - cable.lineWidth / 2.0));
        const int last = int(std::ceil(centre + cable.lineWidth / 2.0)) - 1;
        for (const char* asset : {"mb_plain", "mb_serial", "mb_bus"}) {
            const QImage image = render(asset);
            const QRgb connector = image.pixel(0, first);
            EXPECT_NE(QColor(connector), QColor(Qt::white)) << asset << " at " << dpi << " dpi";
            for (int y = first; y <= last; ++y) // one connector face across the cable's width
                EXPECT_EQ(image.pixel(0, y), connector) << asset << " row " << y << " at " << dpi << " dpi";
        }
    }
}

} // namespace

namespace {

// Lettering in the pictures and the layouts' fonts must not fall back to another family.
TEST(Fonts, TheFamiliesThePicturesAndPagesUseAreInstalled)
{
    for (const char* family : {"Liberation Sans", "Liberation Serif"}) {
        QFont font(QString::fromLatin1(family));
        EXPECT_TRUE(QFontInfo(font).exactMatch()) << family;
    }
}

} // namespace
