// The pages in both density layouts: the frame's small-font places, each page's own
// moves, and the stored layout kept untouched on a dense display.
#include "resources/layouts/layouts.h"
#include "support/fixture.h"

#include <array>

namespace {

std::string page(int n) { return "Frm" + std::to_string(n); }

struct Place {
    const char* control;
    int index;
    float left, top;
};

// Where the frame's controls go on a display of 105 pixels per inch or fewer.
constexpr std::array<Place, 11> kSmallFrame{{
    {"Lblheader", -1, 2850, 60},
    {"ImgBack", -1, 390, 4905},
    {"Imgbar", 0, 690, 5190},
    {"Imgbar", 1, 690, 375},
    {"ImgEP", 1, 1980, 5280},
    {"ImgExit", -1, 4395, 4905},
    {"ImgFor", -1, 8160, 4905},
    {"ImgPN", 0, 1155, 5280},
    {"ImgPrint", -1, 7290, 5280},
    {"Lblof", 1, 1800, 5445},
    {"Lblpn", 0, 1410, 5445},
}};

struct PageMove {
    int page;
    const char* control;
    int index;
    float left, top;
};

constexpr std::array<PageMove, 7> kPageMoves{{
    {1, "Image4", -1, 5475, 1350},
    {1, "Label1", 0, 5625, 2670},
    {1, "Label1", 1, 5616, 3456}, // keeps its place
    {4, "Img3c", -1, 7440, 120},
    {5, "Image2", 1, 4110, 2355},
    {6, "Img3c", -1, 7440, 120},
    {8, "Img3c", -1, 7440, 120},
}};

class PageLayoutTest : public ProgramTest {
protected:
    void SetUp() override
    {
        makeProgram(96);
        shell::CheckScreenDpi(form("frmk0"));
    }
};

TEST_F(PageLayoutTest, OnASmallFontDisplayEveryPageTakesTheFramesPlaces)
{
    for (int n = 1; n <= 8; ++n) {
        host::Form& f = form(page(n));
        EXPECT_EQ(f.width(), 9120);
        EXPECT_EQ(f.height(), 6030);
        for (const Place& p : kSmallFrame) {
            if (!f.hasControl(p.control, p.index))
                continue;
            EXPECT_EQ(f.control(p.control, p.index).left(), p.left) << n << " " << p.control;
            EXPECT_EQ(f.control(p.control, p.index).top(), p.top) << n << " " << p.control;
        }
        EXPECT_EQ(f.label("Lblpn", 2).left(), 2205);
        host::Control& text = f.textBox("Rtb1");
        const std::array<float, 4> expected =
            n < 8 ? std::array<float, 4>{630, 510, 2490, 4380} : std::array<float, 4>{1008, 3012, 2496, 1332};
        EXPECT_EQ((std::array<float, 4>{text.left(), text.top(), text.width(), text.height()}), expected) << n;
        f.Unload();
    }
}

TEST_F(PageLayoutTest, OnASmallFontDisplayPagesMakeTheirOwnMovesAndPageOnesCableStaysVertical)
{
    for (const PageMove& m : kPageMoves) {
        host::Control& c = form(page(m.page)).control(m.control, m.index);
        EXPECT_EQ(c.left(), m.left) << m.page << " " << m.control;
        EXPECT_EQ(c.top(), m.top) << m.page << " " << m.control;
    }
    host::Form& first = form("Frm1");
    const std::array<std::array<float, 4>, 2> lines{{{5940, 1344, 5940, 720}, {5925, 1350, 5925, 690}}};
    for (int i = 0; i < 2; ++i) {
        host::Line& line = first.line(i == 0 ? "Line1" : "Line2");
        EXPECT_EQ((std::array<float, 4>{line.x1(), line.y1(), line.x2(), line.y2()}), lines[size_t(i)]);
    }
    // Nothing else moves: the desks, the ball and the motherboard keep their places.
    EXPECT_EQ(form("Frm6").pictureBox("Picture1").left(), 3756);
    EXPECT_EQ(form("Frm4").image("Imgballmain", 3).left(), 5115);
    EXPECT_EQ(form("Frm8").image("Imgmb").left(), 4080);
}

TEST(PageLayoutDense, OnADenseDisplayEveryControlKeepsItsStoredValues)
{
    ScriptedDesktop desktop;
    desktop.dpi = 120;
    host::Host host(desktop, std::chrono::nanoseconds(0));
    Program program(host);
    shell::CheckScreenDpi(host.form("frmk0"));
    for (int n = 1; n <= 8; ++n) {
        host::Form& f = host.form(page(n));
        EXPECT_EQ(f.width(), 7815);
        EXPECT_EQ(f.height(), 5040);
        for (const host::StoredControl& stored : f.layout().controls) {
            host::Control& c = f.control(stored.name, stored.index);
            if (stored.kind == host::Kind::Line) {
                const auto& line = static_cast<const host::Line&>(c);
                EXPECT_EQ((std::array<float, 4>{line.x1(), line.y1(), line.x2(), line.y2()}),
                          (std::array<float, 4>{stored.x1, stored.y1, stored.x2, stored.y2}));
            } else {
                EXPECT_EQ(c.left(), stored.left) << f.name() << "." << c.id().toStdString();
                EXPECT_EQ(c.top(), stored.top) << f.name() << "." << c.id().toStdString();
            }
        }
        EXPECT_EQ(f.textBox("Rtb1").height(), n == 5 ? 1428 : n == 4 ? 3648 : n == 8 ? 1332 : 3492);
    }
}

} // namespace
