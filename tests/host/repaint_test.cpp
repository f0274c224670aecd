// Repainting: a picture swapped for another of its size repaints where the two differ and
// nowhere else, and setting the picture a control already shows repaints nothing.
#include "host/form.h"
#include "host/host.h"
#include "host/picture.h"
#include "support/scripted_desktop.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QPaintEvent>
#include <array>
#include <gtest/gtest.h>

namespace {

using host::Kind;
using host::Picture;
using host::StoredControl;

constexpr std::array kControls{
    StoredControl{.kind = Kind::Image, .name = "Board", .left = 300, .top = 240, .picture = "mb_plain"},
};
constexpr host::StoredWindow kWindow{.name = "Boards", .width = 6000, .height = 5400, .controls = kControls};

// Every pixel in which two renderings differ lies inside the region said to differ.
void expectCovered(const char* from, const char* to, qreal ratio)
{
    SCOPED_TRACE(std::string(from) + " -> " + to + " at " + std::to_string(ratio));
    const Picture a = Picture::fromAsset(from), b = Picture::fromAsset(to);
    const QImage ia = a.image(ratio), ib = b.image(ratio);
    const QRegion region = a.difference(b, ratio);
    EXPECT_TRUE(ia.rect().contains(region.boundingRect()));
    int differing = 0, outside = 0;
    for (int y = 0; y < ia.height(); ++y)
        for (int x = 0; x < ia.width(); ++x)
            if (ia.pixel(x, y) != ib.pixel(x, y)) {
                ++differing;
                outside += !region.contains(QPoint(x, y));
            }
    EXPECT_GT(differing, 0);
    EXPECT_EQ(outside, 0);
    EXPECT_TRUE(a.difference(a, ratio).isEmpty());
}

TEST(PictureDifference, CoversEveryChangedPixelAtEveryRatio)
{
    for (qreal ratio : {1.0, 1.25, 2.0}) {
        expectCovered("mb_plain", "mb_serial", ratio);
        expectCovered("mb_serial", "mb_bus", ratio);
        expectCovered("mb_bus", "mb_plain", ratio);
        expectCovered("board_unlit", "board_lit", ratio);
    }
    // The board's frames differ in their traces, not as a whole.
    const Picture plain = Picture::fromAsset("mb_plain"), serial = Picture::fromAsset("mb_serial");
    qint64 area = 0;
    for (const QRect& r : plain.difference(serial, 1.0))
        area += qint64(r.width()) * r.height();
    EXPECT_LT(area, qint64(plain.size().width()) * plain.size().height() / 2);
}

// A window-sized picture renders ahead on another thread at the screen's ratio; what the
// paint then gets is exactly what rendering it there and then gives, at that ratio and
// at any other.
TEST(PictureRendering, AWindowSizedPictureRenderedAheadIsTheOneRenderedAtPaint)
{
    const qreal screen = QGuiApplication::primaryScreen()->devicePixelRatio();
    for (qreal ratio : {screen, 1.5}) {
        SCOPED_TRACE(ratio);
        const Picture splash = Picture::fromAsset("splash");
        const QImage shown = splash.image(ratio);
        QFile file(QStringLiteral(":/pictures/splash.svg"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QSize pixels = (QSizeF(splash.size()) * ratio).toSize();
        QImage expected(pixels, QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        {
            QPainter painter(&expected);
            QSvgRenderer(file.readAll()).render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        }
        EXPECT_EQ(shown.size(), pixels);
        EXPECT_EQ(shown.devicePixelRatio(), ratio);
        EXPECT_TRUE(shown.convertToFormat(expected.format()) == expected);
    }
}

class Paints : public QObject {
public:
    std::vector<QRegion> regions;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            regions.push_back(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

// The board on screen, its first paints done, with every paint after that recorded.
class Repaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.Show();
        for (int i = 0; i < 3; ++i)
            host.DoEvents();
        window.widget()->installEventFilter(&paints);
    }
    void TearDown() override
    {
        window.widget()->removeEventFilter(&paints);
        window.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Where tiles of the board's picture, given in device pixels, lie in the window.
    QRegion onScreen(const QRegion& tiles) const
    {
        const qreal ratio = window.devicePixelRatio();
        QRegion out;
        for (const QRect& tile : tiles)
            out += QRectF(board.pixelRect().topLeft() + QPointF(tile.topLeft()) / ratio, QSizeF(tile.size()) / ratio)
                       .toAlignedRect();
        return out;
    }
    QRegion painted() const
    {
        QRegion all;
        for (const QRegion& r : paints.regions)
            all += r;
        return all;
    }

    ScriptedDesktop desktop;
    host::Host host{desktop, std::chrono::nanoseconds(0)};
    host::Form window{host, kWindow};
    Paints paints;
    host::Image& board = window.image("Board");
};

TEST_F(Repaint, ASwappedPictureRepaintsWhereItDiffersAndTheSamePictureNothing)
{
    const QRect place = board.pixelRect().toAlignedRect();

    board.setPicture(Picture::fromAsset("mb_plain")); // what it shows already
    host.DoEvents();
    EXPECT_TRUE(paints.regions.empty());

    for (const char* next : {"mb_serial", "mb_bus", "mb_plain"}) {
        SCOPED_TRACE(next);
        const Picture before = board.picture();
        paints.regions.clear();
        board.setPicture(Picture::fromAsset(next));
        host.DoEvents();
        ASSERT_FALSE(paints.regions.empty());
        const QRegion changed = onScreen(before.difference(board.picture(), window.devicePixelRatio()));
        EXPECT_TRUE((changed - painted()).isEmpty());
        EXPECT_TRUE(place.contains(painted().boundingRect()));
        EXPECT_NE(painted().boundingRect(), place); // not the whole picture
    }
}

// A picture set several times between two paints, as a handler does between two yields,
// repaints where the one on screen and the last differ, and nothing when it comes back.
TEST_F(Repaint, PicturesSetBetweenTwoPaintsRepaintOnlyWhereTheShownAndTheLastDiffer)
{
    const qreal ratio = window.devicePixelRatio();
    for (const char* next : {"mb_serial", "mb_bus", "mb_plain"})
        board.setPicture(Picture::fromAsset(next));
    host.DoEvents();
    EXPECT_TRUE(paints.regions.empty());

    const Picture shown = board.picture();
    board.setPicture(Picture::fromAsset("mb_serial"));
    board.setPicture(Picture::fromAsset("mb_bus"));
    host.DoEvents();
    const QRegion net = onScreen(shown.difference(board.picture(), ratio));
    ASSERT_FALSE(net.isEmpty());
    EXPECT_TRUE((net - painted()).isEmpty());
    EXPECT_TRUE((painted() - net).isEmpty());
    // The serial port's column differs from the plain board and not from the bus's.
    const QRegion serialOnly = onScreen(shown.difference(Picture::fromAsset("mb_serial"), ratio)) - net;
    ASSERT_FALSE(serialOnly.isEmpty());
    EXPECT_FALSE(painted().intersects(serialOnly));
}

} // namespace
