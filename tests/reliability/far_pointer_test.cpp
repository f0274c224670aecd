// Pointer coordinates far outside the desk of pages 6 and 8: the sprite takes them as
// they come, the cable follows, and painting such a page neither overflows nor wraps
// the sprite back into view.
#include "support/fixture.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <cmath>
#include <limits>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kMax = std::numeric_limits<float>::max();

struct Far {
    const char* what;
    float x, y;
    bool outOfSight; // the sprite lies wholly outside the desk
};

constexpr Far kFar[] = {
    {"a million twips right and down", 1e6f, 1e6f, true},
    {"a million twips left and up", -1e6f, -1e6f, true},
    {"10^12 twips", 1e12f, -1e12f, true},
    {"beyond the float's exact integers", 16777217.0f, -16777217.0f, true},
    {"near the float's limit", 3.0e38f, -3.0e38f, true},
    {"the largest float", kMax, -kMax, true},
    {"infinities", kInf, -kInf, true},
    {"not a number", kNaN, kNaN, false},
    {"the smallest subnormals", 1e-45f, -1e-45f, false},
};

// Equal as the handler stores them; NaN counts as equal to NaN.
::testing::AssertionResult same(float actual, float expected)
{
    if (actual == expected || (std::isnan(actual) && std::isnan(expected)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " instead of " << expected;
}

class FarPointer : public ProgramTest, public ::testing::WithParamInterface<int> {
protected:
    host::Form& page() { return form("Frm" + std::to_string(GetParam())); }
    host::Control& control(const char* name) { return page().control(name); }
    host::Line& line(const char* name) { return page().line(name); }

    // Where the sprite and both cable ends must be after a move to (x, y).
    void expectFollowed(float x, float y)
    {
        EXPECT_TRUE(same(control("Picmouse").left(), x));
        EXPECT_TRUE(same(control("Picmouse").top(), y));
        const bool six = GetParam() == 6;
        host::Line& thick = line("Line1");
        host::Line& thin = line("Line2");
        EXPECT_TRUE(same(six ? thick.x1() : thick.x2(), x + 360.0f));
        EXPECT_TRUE(same(six ? thick.y1() : thick.y2(), y));
        EXPECT_TRUE(same(six ? thin.x2() : thin.x1(), x + 362.0f));
        EXPECT_TRUE(same(six ? thin.y2() : thin.y1(), y));
        if (!six) {
            EXPECT_EQ(thick.y1(), 0.0f);
            EXPECT_EQ(thin.y2(), 0.0f);
        }
    }

    // Paints the whole page as the screen would; returns whether the sprite's widget
    // lies (partly) on the desk.
    bool paintAndLocateSprite()
    {
        const QImage image = page().grabImage();
        EXPECT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), page().widget()->size() * image.devicePixelRatio());
        const QWidget* desk = control("Picture1").widget();
        const QWidget* sprite = control("Picmouse").widget();
        return sprite->isVisible() && desk->rect().intersects(sprite->geometry());
    }
};

} // namespace

TEST_P(FarPointer, TheSpriteTakesAnyCoordinateAndThePagePaints)
{
    openPage(GetParam());
    for (const Far& far : kFar) {
        SCOPED_TRACE(far.what);
        move(page().name(), "Picture1", -1, far.x, far.y);
        expectFollowed(far.x, far.y);
        const bool onDesk = paintAndLocateSprite();
        if (far.outOfSight) {
            EXPECT_FALSE(onDesk) << "the sprite came back into view";
        }
    }
    EXPECT_FALSE(module().DelayRunning);
    EXPECT_FALSE(module().DelayRunning2);
    // An ordinary move afterwards puts the sprite back on the desk.
    move(page().name(), "Picture1", -1, 600, 480);
    expectFollowed(600, 480);
    EXPECT_TRUE(paintAndLocateSprite());
    EXPECT_EQ(shownWindows(), (std::vector<std::string>{"FrmBack", page().name()}));
    EXPECT_TRUE(desktop.messages.empty());
}

// The same through a real mouse event, so the pixel position passes hit testing and the
// conversion to twips before it reaches the handler.
TEST_P(FarPointer, RealPointerEventsFarOffReachTheHandler)
{
    openPage(GetParam());
    QWidget* desk = control("Picture1").widget();
    const float twips = page().twipsPerPixel();
    for (double pixels : {1e6, -1e6, 1e12, -1e12, double(kInf), double(kNaN)}) {
        SCOPED_TRACE(pixels);
        const QPointF at(pixels, pixels);
        QMouseEvent event(QEvent::MouseMove, at, desk->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(desk, &event);
        const float expected = float(pixels) * twips; // the desk's widget is the area inside its border
        expectFollowed(expected, expected);
        paintAndLocateSprite();
    }
    EXPECT_TRUE(desktop.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(DeskPages, FarPointer, ::testing::Values(6, 8),
                         [](const auto& info) { return "Page" + std::to_string(info.param); });
