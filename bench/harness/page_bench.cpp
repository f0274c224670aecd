#include "bench_desktop.h"
#include "benches.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <QWidget>
#include <map>
#include <string>

namespace bench {

namespace {

// Counts the paint events a widget receives; sees them before the widget paints.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* widget) : m_widget(widget) { widget->installEventFilter(this); }
    ~PaintWatch() override
    {
        if (m_widget)
            m_widget->removeEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_widget && event->type() == QEvent::Paint)
            ++paints;
        return false;
    }

private:
    QPointer<QWidget> m_widget;
};

struct Change {
    double handlerMs;   // the click's handler: show and load the next page, unload this one
    double paintedMs;   // click to the end of the next page's first paint
    bool painted;
};

// Forced: the next page is painted at once after the click with grab() (a window not
// yet exposed ignores repaint()). Otherwise the event loop runs until the page's first
// paint event has been handled, as it is in the program.
Change changePage(ProgramRun& run, int from, int to, bool forced)
{
    const auto t0 = Clock::now();
    run.click("Frm" + std::to_string(from), to > from ? "ImgFor" : "ImgBack");
    const auto t1 = Clock::now();
    QWidget* page = run.form("Frm" + std::to_string(to)).widget();
    PaintWatch watch(page);
    if (forced) {
        const QPixmap frame = page->grab();
        if (!frame.isNull())
            ++watch.paints;
    } else {
        const auto deadline = t1 + std::chrono::seconds(2);
        while (watch.paints == 0 && Clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    const auto t2 = Clock::now();
    return {msBetween(t0, t1), msBetween(t0, t2), watch.paints > 0};
}

} // namespace

Json pageChange(int rounds)
{
    ProgramRun run;
    run.openPage(1);
    std::map<std::string, std::vector<double>> forced, natural, coldPer;
    std::vector<double> allForced, allNatural, handlers, cold;
    int unpainted = 0;
    for (int round = 0; round < rounds; ++round) {
        const bool isForced = round % 2 == 0;
        auto record = [&](int from, int to) {
            const Change c = changePage(run, from, to, isForced);
            const std::string key = std::to_string(from) + "->" + std::to_string(to);
            if (!c.painted)
                ++unpainted;
            // The first pass renders every picture for the first time.
            if (round == 0) {
                cold.push_back(c.paintedMs);
                coldPer[key].push_back(c.paintedMs);
            }
            else {
                (isForced ? forced : natural)[key].push_back(c.paintedMs);
                (isForced ? allForced : allNatural).push_back(c.paintedMs);
                handlers.push_back(c.handlerMs);
            }
            ProgramRun::settle(5);
        };
        for (int p = 1; p < 8; ++p)
            record(p, p + 1);
        for (int p = 8; p > 1; --p)
            record(p, p - 1);
    }
    std::vector<std::pair<std::string, Json>> perForced, perNatural, perCold;
    for (auto& [key, samples] : coldPer)
        perCold.emplace_back(key, number(samples.front()));
    for (auto& [key, samples] : forced)
        perForced.emplace_back(key, summary(samples));
    for (auto& [key, samples] : natural)
        perNatural.emplace_back(key, summary(samples));
    return object({{"grab_forced", summary(allForced)},
                   {"event_loop", summary(allNatural)},
                   {"click_handler", summary(handlers)},
                   {"cold_first_pass", summary(cold)},
                   {"cold_per_change", object(perCold)},
                   {"unpainted", number(unpainted)},
                   {"per_change_grab", object(perForced)},
                   {"per_change_event_loop", object(perNatural)}});
}

Json pagePaint(int reps)
{
    ProgramRun run;
    run.openPage(1);
    std::vector<std::pair<std::string, Json>> perPage;
    std::vector<double> all;
    for (int page = 1; page <= 8; ++page) {
        QWidget* widget = run.form("Frm" + std::to_string(page)).widget();
        widget->grab(); // pictures rendered once
        std::vector<double> samples;
        for (int i = 0; i < reps; ++i) {
            const auto t0 = Clock::now();
            const QPixmap image = widget->grab();
            samples.push_back(msBetween(t0, Clock::now()));
        }
        all.insert(all.end(), samples.begin(), samples.end());
        perPage.emplace_back("Frm" + std::to_string(page), summary(samples));
        if (page < 8)
            run.click("Frm" + std::to_string(page), "ImgFor");
        ProgramRun::settle(5);
    }
    return object({{"all", summary(all)}, {"per_page", object(perPage)}});
}

} // namespace bench
