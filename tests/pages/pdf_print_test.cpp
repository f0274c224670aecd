// The real printing path: a page printed onto a PDF printer comes out as one page
// that shows the page at its physical size.
#include "support/fixture.h"

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

class PdfPrintTest : public ProgramTest {};

TEST_F(PdfPrintTest, APagePrintedToPdfShowsItsHeadingAndItsCounterDisc)
{
    openPage(2);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath("page.pdf");
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf);
    printer->setFullPage(true); // the page's corner at the paper's corner, for the pixel checks
    auto target = host::makeQtPrinter(std::move(printer));
    host::Form& f = form("Frm2");
    target->printImage(f.grabImage(), 1440.0 / f.twipsPerPixel());
    target->endDoc();

    // One page, rendered back at 72 dpi: one PDF point per pixel, a twip is 1/20 point.
    QProcess render;
    render.start("pdftoppm", {"-r", "72", "-png", "-singlefile", pdf, dir.filePath("page")});
    ASSERT_TRUE(render.waitForFinished(30000)) << "pdftoppm did not finish";
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+1\\n")));
    const QImage page(dir.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    auto at = [&](float twipsX, float twipsY) { return QColor(page.pixel(int(twipsX / 20), int(twipsY / 20))); };

    // Dark heading text somewhere in its label's box.
    host::Control& heading = f.label("Lblheader");
    int dark = 0;
    for (float x = heading.left(); x < heading.left() + heading.width(); x += 20)
        for (float y = heading.top(); y < heading.top() + heading.height(); y += 20)
            dark += at(x, y).lightness() < 100;
    EXPECT_GT(dark, 10);
    // The plate behind the page number is purple at its centre.
    host::Control& plate = f.image("ImgPN", 0);
    const QColor disc = at(plate.left() + plate.width() / 2, plate.top() + plate.height() / 2 + 60);
    EXPECT_GT(disc.blue(), disc.green() + 30) << disc.name().toStdString();
    EXPECT_GT(disc.red(), disc.green()) << disc.name().toStdString();
    // Outside the page, the paper is blank.
    EXPECT_EQ(at(f.width() + 400, 200), QColor(Qt::white));
}

} // namespace
