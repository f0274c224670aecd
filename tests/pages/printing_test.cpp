// Printing a page: the dialog's settings, one image of the page as displayed, Cancel,
// and failures reported instead of swallowed.
#include "support/fixture.h"

#include <QWidget>

namespace {

class PrintingTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        openPage(3);
        move("Frm3", "ImgPrint"); // the pointer is on the button when it is clicked
    }
    QRgb pixelAtCentreOf(const QImage& image, const char* control)
    {
        return image.pixel(form("Frm3").control(control).pixelRect().center().toPoint());
    }
};

TEST_F(PrintingTest, OkPrintsOneImageOfThisPageAsDisplayedWithThePrintButtonLit)
{
    click("Frm3", "ImgPrint");
    ASSERT_EQ(desktop.printDialogs.size(), 1u);
    EXPECT_EQ(desktop.printDialogs[0], (host::PrintSettings{.cancelError = true, .copies = 1, .fromPage = 1, .toPage = 1,
                                                            .flags = host::kNoPageNumbers}));
    ASSERT_EQ(desktop.printed.size(), 1u);
    EXPECT_EQ(desktop.documentsEnded, 1);
    const QImage& image = desktop.printed[0].image;
    EXPECT_EQ(image.size(), form("Frm3").widget()->size() * image.devicePixelRatio());
    EXPECT_DOUBLE_EQ(desktop.printed[0].dpi, 120.0);
    const QImage lit = shell::ListImage(5).image();
    EXPECT_EQ(pixelAtCentreOf(image, "ImgPrint"), lit.pixel(19, 19));
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(form("Frm3").isVisible());
}

TEST_F(PrintingTest, CancelPrintsNothingChangesNothingAndTheNextClickAsksAgainTheSameWay)
{
    desktop.printOutcomes = {ScriptedDesktop::PrintOutcome::Cancel};
    const unsigned load = form("Frm3").generation();
    click("Frm3", "ImgPrint");
    EXPECT_TRUE(desktop.printed.empty());
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(form("Frm3").generation(), load);
    EXPECT_EQ(pictureOf(form("Frm3"), "ImgPrint"), "btn_print_lit");
    click("Frm3", "ImgPrint");
    ASSERT_EQ(desktop.printDialogs.size(), 2u);
    EXPECT_EQ(desktop.printDialogs[0], desktop.printDialogs[1]);
    EXPECT_EQ(desktop.printed.size(), 1u);
}

TEST_F(PrintingTest, AFailingPrinterIsReportedAndThePageStaysAsItWas)
{
    for (auto outcome : {ScriptedDesktop::PrintOutcome::FailOpen, ScriptedDesktop::PrintOutcome::FailEnd}) {
        desktop.messages.clear();
        desktop.printOutcomes = {outcome};
        click("Frm3", "ImgPrint");
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_TRUE(desktop.messages[0].prompt.startsWith("The page could not be printed.\n"));
        EXPECT_GT(desktop.messages[0].prompt.size(), QString("The page could not be printed.\n").size());
        EXPECT_EQ(desktop.messages[0].style & 7, host::mb::OkOnly);
        EXPECT_TRUE(form("Frm3").isVisible());
        EXPECT_EQ(pictureOf(form("Frm3"), "ImgPrint"), "btn_print_lit");
    }
    EXPECT_EQ(desktop.documentsEnded, 0);
}

TEST_F(PrintingTest, EveryPagePrintsItself)
{
    for (int n = 1; n <= 8; ++n) {
        const std::string name = "Frm" + std::to_string(n);
        form(name).Show();
        click(name, "ImgPrint");
        ASSERT_EQ(desktop.printed.size(), size_t(n));
        EXPECT_EQ(desktop.printed.back().image.size(), form(name).widget()->size());
        form(name).Unload();
    }
}

} // namespace
