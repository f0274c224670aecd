#include "bench_desktop.h"
#include "benches.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <cmath>
#include <string>

namespace bench {

namespace {

Json movesOn(int pageNumber, int events)
{
    ProgramRun run;
    run.openPage(pageNumber);
    // Both flags set: every move skips its pauses, as a move nested in a running pause does.
    run.program.module.DelayRunning = true;
    run.program.module.DelayRunning2 = true;
    host::Form& page = run.form("Frm" + std::to_string(pageNumber));
    host::Control& desk = page.pictureBox("Picture1");
    QWidget* deskWidget = desk.widget();
    const float w = desk.width() - 800, h = desk.height() - 800, twips = page.twipsPerPixel();
    auto at = [&](int i) { return QPointF(std::fmod(i * 97.0f, w), std::fmod(i * 61.0f, h)); };

    // Straight to the handler, through the dispatch boundary.
    auto raiseMove = [&](int i) {
        const QPointF p = at(i);
        page.raiseEvent(host::Event::MouseMove, "Picture1", -1, host::MouseArgs{0, 0, float(p.x()), float(p.y())});
    };
    // As the desk widget gets it from the toolkit: hit test, pointer shape, then the handler.
    auto widgetMove = [&](int i) {
        const QPointF p = at(i) / twips;
        QMouseEvent event(QEvent::MouseMove, p, deskWidget->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(deskWidget, &event);
    };
    for (int i = 0; i < 100; ++i)
        raiseMove(i);
    ProgramRun::settle(5);

    std::vector<double> raised, delivered, painted;
    const auto yields0 = run.host.yields();
    for (int i = 0; i < events; ++i) {
        const auto t0 = Clock::now();
        raiseMove(i);
        raised.push_back(msBetween(t0, Clock::now()));
    }
    const double yieldsPerMove = double(run.host.yields() - yields0) / events;
    for (int i = 0; i < events; ++i) {
        const auto t0 = Clock::now();
        widgetMove(i);
        delivered.push_back(msBetween(t0, Clock::now()));
    }
    // The move and then the event loop's repaint of what it changed.
    for (int i = 0; i < events / 4; ++i) {
        const auto t0 = Clock::now();
        widgetMove(i);
        QCoreApplication::processEvents();
        painted.push_back(msBetween(t0, Clock::now()));
    }
    const bool flagsHeld = run.program.module.DelayRunning && run.program.module.DelayRunning2;

    // The floor: as many yields as a move takes, each repainting one pixel of the page,
    // which is all the toolkit and the window system do for any yield that paints.
    QWidget pixel(page.widget());
    pixel.setGeometry(0, 0, 1, 1);
    pixel.show();
    ProgramRun::settle(5);
    const int paintingYields = int(std::lround(yieldsPerMove));
    std::vector<double> floor;
    for (int i = 0; i < events; ++i) {
        const auto t0 = Clock::now();
        for (int k = 0; k < paintingYields; ++k) {
            pixel.update();
            run.host.DoEvents();
        }
        floor.push_back(msBetween(t0, Clock::now()));
    }
    return object({{"handler", summary(raised)},
                   {"widget_event", summary(delivered)},
                   {"move_and_repaint", summary(painted)},
                   {"yields_per_move", number(yieldsPerMove)},
                   {"floor", summary(floor)},
                   {"flags_still_set", boolean(flagsHeld)}});
}

} // namespace

Json moves(int events) { return object({{"Frm6", movesOn(6, events)}, {"Frm8", movesOn(8, events)}}); }

} // namespace bench
