// At a fractional scale (run again with QT_SCALE_FACTOR 1.25 and 1.5) every bordered
// control keeps all four sides of its border and its stored size on whole device pixels.
#include "host/control.h"
#include "support/fixture.h"

#include <QImage>
#include <QWidget>
#include <cmath>

namespace {

class Scaled : public ProgramTest {};

// The outer ring of a control's border, in device pixels of the window's grab.
QRect deviceRect(const host::Control& c, qreal ratio)
{
    const QRectF r = c.pixelRect();
    return QRect(QPoint(int(std::lround(r.left() * ratio)), int(std::lround(r.top() * ratio))),
                 QSize(int(std::lround(r.width() * ratio)), int(std::lround(r.height() * ratio))));
}

// Pixels of one side that do not have the colour, leaving out the corners, where two
// sides of a ring two device pixels wide meet.
int offColour(const QImage& image, QPoint from, QPoint step, int length, QRgb colour)
{
    int off = 0;
    for (int i = 2; i < length - 2; ++i) {
        const QPoint p = from + step * i;
        off += (image.pixel(p) & 0xFFFFFF) != (colour & 0xFFFFFF);
    }
    return off;
}

struct Border {
    int page;
    const char* control;
    QRgb topLeft, bottomRight; // outermost ring
};

TEST_F(Scaled, EveryBorderedControlKeepsAllFourSidesAndItsStoredSize)
{
    const std::array<Border, 3> cases{{
        {2, "Rtb1", qRgb(0, 0, 0), qRgb(0, 0, 0)},
        {6, "Picture1", qRgb(128, 128, 128), qRgb(255, 255, 255)},
        {8, "Picture1", qRgb(128, 128, 128), qRgb(255, 255, 255)},
    }};
    for (int dpi : {96, 120}) {
        for (const Border& b : cases) {
            makeProgram(dpi);
            openPage(b.page);
            host::Form& page = form("Frm" + std::to_string(b.page));
            const QImage image = page.grabImage().convertToFormat(QImage::Format_RGB32);
            const qreal ratio = image.devicePixelRatio();
            host::Control& c = page.control(b.control);
            const QRect r = deviceRect(c, ratio);
            SCOPED_TRACE(testing::Message() << b.control << " on page " << b.page << " at " << dpi << " dpi, scale "
                                            << ratio << ", " << r.x() << "," << r.y() << " " << r.width() << "x"
                                            << r.height());
            // Size: the stored twips turned into device pixels by the same rule as the position.
            const float perPixel = page.twipsPerPixel();
            EXPECT_EQ(r.width(), std::lround(c.width() / perPixel * ratio));
            EXPECT_EQ(r.height(), std::lround(c.height() / perPixel * ratio));
            EXPECT_EQ(offColour(image, r.topLeft(), {1, 0}, r.width(), b.topLeft), 0) << "top";
            EXPECT_EQ(offColour(image, r.topLeft(), {0, 1}, r.height(), b.topLeft), 0) << "left";
            EXPECT_EQ(offColour(image, r.bottomLeft(), {1, 0}, r.width(), b.bottomRight), 0) << "bottom";
            EXPECT_EQ(offColour(image, r.topRight(), {0, 1}, r.height(), b.bottomRight), 0) << "right";
        }
    }
}

} // namespace
