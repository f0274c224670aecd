// The screen is the layout: every window, as it opens, shows each visible image and
// picture box with its picture's own pixels at the place its twips give, and nothing of a
// hidden frame holder. Run again at a device pixel ratio of 2 (QT_SCALE_FACTOR).
#include "host/control.h"
#include "host/stage.h"
#include "support/fixture.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <cmath>

namespace {

constexpr std::array<const char*, 7> kFrontEnd{"FrmBack", "Form1", "Form2", "Form3", "Form4", "Form5", "frmk0"};

class ScreenIsTheLayout : public ProgramTest {
protected:
    // Opens a window the way the user reaches it: the pages through the chapter's path.
    host::Form& open(const std::string& name)
    {
        if (name.rfind("Frm", 0) == 0 && name != "FrmBack") {
            openPage(std::stoi(name.substr(3)));
        } else {
            start();
            form(name).Show();
        }
        host::Form& f = form(name);
        // A focus ring is the keyboard's, not the layout's.
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        return f;
    }
};

int device(float twips, float perPixel, qreal ratio) { return int(std::lround(twips / perPixel * ratio)); }

// Where a control's top-left corner lies in the window, in device pixels, from its twips
// and those of the picture boxes holding it (each holding its content inside its border).
QPoint origin(const host::Control& c, float perPixel, qreal ratio)
{
    QPoint p(device(c.left(), perPixel, ratio), device(c.top(), perPixel, ratio));
    for (const host::Control* box = c.container(); box; box = box->container()) {
        const int border = int(std::lround(box->borderWidth() * ratio));
        p += QPoint(device(box->left(), perPixel, ratio) + border, device(box->top(), perPixel, ratio) + border);
    }
    return p;
}

// The area inside a picture box's border, in the window's device pixels.
QRect inner(const host::Control& box, float perPixel, qreal ratio)
{
    const int border = int(std::lround(box.borderWidth() * ratio));
    return QRect(origin(box, perPixel, ratio) + QPoint(border, border),
                 QSize(device(box.width(), perPixel, ratio) - 2 * border, device(box.height(), perPixel, ratio) - 2 * border));
}

bool holds(const host::Control& outer, const host::Control& inner)
{
    for (const host::Control* box = inner.container(); box; box = box->container())
        if (box == &outer)
            return true;
    return false;
}

// What a visible control covers, in the window's device pixels, drawn by whatever it is.
QRect covered(const host::Control& c, float perPixel, qreal ratio)
{
    if (c.kind() == host::Kind::Line) {
        const auto& l = static_cast<const host::Line&>(c);
        const QPoint at = origin(c, perPixel, ratio) - QPoint(device(c.left(), perPixel, ratio), device(c.top(), perPixel, ratio));
        const QRect line = QRect(QPoint(device(l.x1(), perPixel, ratio), device(l.y1(), perPixel, ratio)),
                                 QPoint(device(l.x2(), perPixel, ratio), device(l.y2(), perPixel, ratio)))
                               .normalized()
                               .translated(at);
        const int reach = int(std::ceil(c.stored().lineWidth * ratio)) + 1;
        return line.adjusted(-reach, -reach, reach, reach);
    }
    const QSizeF size = c.pixelRect().size() * ratio;
    return QRect(origin(c, perPixel, ratio), QSize(int(std::ceil(size.width())), int(std::ceil(size.height()))))
        .adjusted(-1, -1, 1, 1);
}

bool inAny(const std::vector<QRect>& rects, QPoint p)
{
    return std::any_of(rects.begin(), rects.end(), [p](const QRect& r) { return r.contains(p); });
}

struct Tally {
    int compared = 0, wrong = 0;
};

// Mismatched pixels of a picture drawn with its top-left corner at a point of the grab,
// within an area of it.
int mismatches(const QImage& grab, const QImage& own, QPoint at, const QRect& within)
{
    int wrong = 0;
    for (int y = 0; y < own.height(); ++y)
        for (int x = 0; x < own.width(); ++x) {
            const QPoint p = at + QPoint(x, y);
            const QRgb mine = own.pixel(x, y);
            if (qAlpha(mine) != 255 || !within.contains(p))
                continue;
            const QRgb seen = grab.pixel(p);
            wrong += std::abs(qRed(seen) - qRed(mine)) > 2 || std::abs(qGreen(seen) - qGreen(mine)) > 2 ||
                     std::abs(qBlue(seen) - qBlue(mine)) > 2;
        }
    return wrong;
}

void checkWindow(host::Form& f, const std::string& label)
{
    const QImage grab = f.grabImage().convertToFormat(QImage::Format_ARGB32);
    const qreal ratio = grab.devicePixelRatio();
    const float perPixel = f.twipsPerPixel();
    const auto& controls = f.controls();
    auto shown = [](const host::Control& c) {
        for (const host::Control* at = &c; at; at = at->container())
            if (!at->visible())
                return false;
        return c.kind() != host::Kind::Timer && c.kind() != host::Kind::PrintDialog &&
               c.kind() != host::Kind::PictureList;
    };
    for (size_t i = 0; i < controls.size(); ++i) {
        const host::Control& c = *controls[i];
        const bool picture = (c.kind() == host::Kind::Image || c.kind() == host::Kind::PictureBox) &&
                             !host::pictureOf(c).isNull();
        if (!picture)
            continue;
        const bool visible = shown(c);
        if (c.container() && !shown(*c.container()))
            continue; // its holder is not on screen: neither is it
        // What may lie over it: for a visible picture what is in front of it or held by
        // it; over a hidden holder, every visible control (it is the one that must not show).
        std::vector<QRect> over;
        for (size_t j = 0; j < controls.size(); ++j) {
            const host::Control& o = *controls[j];
            if (&o == &c || !shown(o) || holds(o, c))
                continue;
            const bool inFront = j < i || holds(c, o) || (o.widget() && !c.widget());
            if (!visible || inFront)
                over.push_back(covered(o, perPixel, ratio));
        }
        const QImage own = host::pictureOf(c).image(ratio).convertToFormat(QImage::Format_ARGB32);
        QSize size = own.size();
        if (c.kind() == host::Kind::PictureBox)
            size = size.boundedTo(inner(c, perPixel, ratio).size());
        // A picture box shows what it holds only inside its border.
        QRect seenArea = grab.rect();
        if (c.container())
            seenArea = inner(*c.container(), perPixel, ratio);
        // Behind a hidden holder lies its picture box's colour, or the window's.
        const QRgb backdrop = (c.container() ? host::colourFromLong(c.container()->backColor()) : f.background()).rgb();
        auto tallyAt = [&](QPoint at) {
            Tally tally;
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    const QRgb mine = own.pixel(x, y);
                    const QPoint p = at + QPoint(x, y);
                    if (qAlpha(mine) != 255 || !seenArea.contains(p) || inAny(over, p))
                        continue;
                    ++tally.compared;
                    const QRgb seen = grab.pixel(p);
                    // A hidden holder fails where its picture shows; a visible picture where it does not.
                    const bool same = std::abs(qRed(seen) - qRed(mine)) <= 2 && std::abs(qGreen(seen) - qGreen(mine)) <= 2 &&
                                      std::abs(qBlue(seen) - qBlue(mine)) <= 2;
                    tally.wrong += visible ? !same : same && (mine & 0xFFFFFF) != (backdrop & 0xFFFFFF);
                }
            }
            return tally;
        };
        const QPoint at = origin(c, perPixel, ratio);
        Tally tally = tallyAt(at);
        // A child widget (a picture box) sits on whole logical pixels: above a ratio of 1
        // each one between the window and the picture may move it to a neighbouring pixel.
        int widgets = c.widget() ? 1 : 0;
        for (const host::Control* box = c.container(); box; box = box->container())
            ++widgets;
        const int slack = widgets * (int(std::ceil(ratio)) - 1);
        seenArea.adjust(slack, slack, -slack, -slack);
        for (int dy = -slack; dy <= slack && tally.wrong; ++dy)
            for (int dx = -slack; dx <= slack && tally.wrong; ++dx)
                if (Tally t = tallyAt(at + QPoint(dx, dy)); t.wrong < tally.wrong)
                    tally = t;
        SCOPED_TRACE(testing::Message() << label << " " << c.id().toStdString() << " (" << host::pictureOf(c).name().toStdString()
                                        << ") at " << at.x() << "," << at.y() << (visible ? "" : ", hidden"));
        if (visible) {
            EXPECT_GT(tally.compared, 0) << "nothing of it is seen";
            EXPECT_EQ(tally.wrong, 0) << "of " << tally.compared << " pixels compared";
        } else {
            EXPECT_LE(tally.wrong * 50, tally.compared) << "of " << tally.compared << " pixels compared";
        }
    }
}

// A picture button shows its picture rendered at the screen's density: its pixels, edges
// included, are those of the picture drawn for that density, not an enlarged copy.
void checkButtons(host::Form& f, const std::string& label)
{
    const QImage grab = f.grabImage().convertToFormat(QImage::Format_ARGB32);
    const qreal ratio = grab.devicePixelRatio();
    for (const auto& c : f.controls()) {
        if (c->kind() != host::Kind::PictureButton || host::pictureOf(*c).isNull() || !c->visible())
            continue;
        const QImage own = host::pictureOf(*c).image(ratio).convertToFormat(QImage::Format_ARGB32);
        const QRect button(origin(*c, f.twipsPerPixel(), ratio),
                           QSize(device(c->width(), f.twipsPerPixel(), ratio), device(c->height(), f.twipsPerPixel(), ratio)));
        // The style centres the picture; where exactly depends on its rounding.
        const QPoint centred = button.center() - QPoint(own.width() / 2, own.height() / 2);
        // The button's bevel lies over the picture's outermost pixels.
        const int bevel = int(std::ceil(3 * ratio));
        const QRect inside = button.adjusted(bevel, bevel, -bevel, -bevel);
        int best = own.width() * own.height();
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (grab.rect().contains(QRect(centred + QPoint(dx, dy), own.size())))
                    best = std::min(best, mismatches(grab, own, centred + QPoint(dx, dy), inside));
        EXPECT_EQ(best, 0) << label << " " << c->id().toStdString() << " at a ratio of " << ratio;
    }
}

TEST_F(ScreenIsTheLayout, PictureButtonsAndHandCursorsAreDrawnAtTheScreensDensity)
{
    for (const char* window : {"Form2", "Form3"}) {
        makeProgram(96);
        checkButtons(open(window), window);
    }
    // The pages' hand cursors too: at a ratio of 2 the drawing has twice the pixels.
    makeProgram(96);
    host::Form& page = open("Frm2");
    const qreal ratio = page.devicePixelRatio();
    const QPointF over = page.image("ImgFor").pixelRect().center();
    auto moveTo = [&](QPointF at) {
        QMouseEvent move(QEvent::MouseMove, at, page.widget()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(page.widget(), &move);
    };
    moveTo(over);
    const QPixmap hand = page.widget()->cursor().pixmap();
    ASSERT_FALSE(hand.isNull()) << "the forward button has no hand cursor";
    EXPECT_EQ(hand.devicePixelRatio(), ratio);
    EXPECT_EQ(hand.toImage(), host::Picture::fromAsset("cursor_hand_right").image(ratio).convertToFormat(hand.toImage().format()));
    // Off the button the pointer is the desktop's again, and back on it the hand.
    moveTo(QPointF(2, 2));
    EXPECT_EQ(page.widget()->cursor().shape(), Qt::ArrowCursor);
    moveTo(over);
    EXPECT_EQ(page.widget()->cursor().shape(), Qt::BitmapCursor);

    // And the window's icon, which the desktop asks for at its own sizes and density. It
    // comes once the first frame is out, not before.
    makeProgram(96);
    open("FrmBack");
    EXPECT_TRUE(host->stage().windowIcon().isNull()) << "the icon is drawn before the first frame";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host->stage()));
    for (int waited = 0; host->stage().windowIcon().isNull() && waited < 5000; waited += 10)
        QTest::qWait(10);
    const QIcon icon = host->stage().windowIcon();
    ASSERT_FALSE(icon.isNull()) << "the icon never came";
    for (int size : {16, 48, 128}) {
        const QImage shown = icon.pixmap(QSize(size, size), ratio).toImage();
        EXPECT_EQ(shown.size(), QSize(size, size) * ratio) << size;
        const QImage drawn = host::Picture::fromAsset("program_icon").render(shown.size());
        EXPECT_EQ(shown.convertToFormat(drawn.format()), drawn) << "the icon at " << size << " is not drawn at that size";
    }
}

TEST_F(ScreenIsTheLayout, EveryWindowShowsItsPicturesWhereItsTwipsPutThemInBothLayouts)
{
    for (int dpi : {96, 120}) {
        std::vector<std::string> windows(kFrontEnd.begin(), kFrontEnd.end());
        for (int n = 1; n <= 8; ++n)
            windows.push_back("Frm" + std::to_string(n));
        for (const std::string& name : windows) {
            makeProgram(dpi);
            checkWindow(open(name), name + " at " + std::to_string(dpi) + " dpi");
        }
    }
}

} // namespace
