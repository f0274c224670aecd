// The Orvane preview shows its picture at the picture's own size in a window that is lower
// than the picture and a little narrower; the blurb label lies over the picture's right part.
#include "host/picture.h"
#include "support/fixture.h"

#include <QImage>
#include <QRect>
#include <QWidget>
#include <cmath>

namespace {

class OrvanePreviewTest : public ProgramTest {};

// Nothing that matters may fall where the window cuts the picture off, and the blurb must
// read on a plain ground: every pixel there is the ground colour of the picture's corner.
TEST_F(OrvanePreviewTest, WhatTheWindowCutsOffAndWhatLiesUnderTheBlurbIsPlainGround)
{
    const QImage picture = host::Picture::fromAsset("preview_orvane").image(1.0);
    const QRgb ground = picture.pixel(picture.width() - 1, 0);
    for (int dpi : {96, 120}) {
        makeProgram(dpi);
        start();
        host::Form& preview = form("Form5");
        preview.Show();
        const QRect window(0, 0, preview.widget()->width(), preview.widget()->height());
        ASSERT_LT(window.height(), picture.height()) << dpi << " dpi";

        const host::Control& blurb = preview.label("Label1");
        const double twipsPerPixel = 1440.0 / dpi;
        const QRect underBlurb(int(std::floor(blurb.left() / twipsPerPixel)), int(std::floor(blurb.top() / twipsPerPixel)),
                               int(std::ceil(blurb.width() / twipsPerPixel)), int(std::ceil(blurb.height() / twipsPerPixel)));
        ASSERT_TRUE(window.contains(underBlurb)) << dpi << " dpi";

        int unplain = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QPoint p(x, y);
                const bool cutOff = !window.contains(p);
                // A few rows above the cut, so that a border is not what meets it.
                const bool nearTheCut = y >= window.height() - 4;
                if ((cutOff || nearTheCut || underBlurb.contains(p)) && picture.pixel(p) != ground)
                    ++unplain;
            }
        EXPECT_EQ(unplain, 0) << dpi << " dpi";
    }
}

} // namespace
