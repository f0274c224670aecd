#include "bench_desktop.h"
#include "benches.h"
#include "x_motion.h"

#include "host/testing.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <limits>
#include <random>
#include <string>
#include <thread>

namespace bench {

namespace {

const QEvent::Type kStamp = QEvent::Type(QEvent::User + 71);

struct StampEvent : QEvent {
    explicit StampEvent(Clock::time_point t) : QEvent(kStamp), sent(t) {}
    Clock::time_point sent;
};

// Sees the stamped events on the user-interface thread and keeps their delays.
class Receiver : public QObject {
public:
    bool recording = false;
    std::vector<double> delays;

protected:
    void customEvent(QEvent* event) override
    {
        if (event->type() == kStamp && recording)
            delays.push_back(msBetween(static_cast<StampEvent*>(event)->sent, Clock::now()));
    }
};

// Posts stamped events from another thread at random intervals of 0.5 to 4 ms.
class Poster {
public:
    explicit Poster(QObject* receiver)
        : m_thread([this, receiver] {
              std::mt19937 random(7);
              std::uniform_int_distribution<int> gap(500, 4000);
              publishHelperCpu(0);
              while (!m_stop) {
                  std::this_thread::sleep_for(std::chrono::microseconds(gap(random)));
                  QCoreApplication::postEvent(receiver, new StampEvent(Clock::now()));
                  publishHelperCpu(0);
              }
          })
    {
    }
    ~Poster()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

constexpr std::uint64_t kEnd = std::numeric_limits<std::uint64_t>::max();

struct Mark {
    std::uint64_t yield;
    Clock::time_point t;
    double cpuMs;     // the process less the bench's helper threads
    double uiCpuMs;   // the user-interface thread alone
};

Mark mark(std::uint64_t yield) { return {yield, Clock::now(), processCpuMs() - helperCpuMs(), threadCpuMs()}; }

// One handler run with marks at the given yields (counted from 1 within the run) and at
// its end; returns the pauses between the given pairs of marks.
struct Pause {
    double ms;
    double cpuPercent;
    double uiCpuPercent;
};

std::vector<Pause> timeHandler(ProgramRun& run, const std::vector<std::pair<std::uint64_t, std::uint64_t>>& spans,
                               const std::function<void()>& handler)
{
    std::vector<Mark> marks;
    std::vector<std::uint64_t> wanted;
    for (auto [a, b] : spans) {
        wanted.push_back(a);
        wanted.push_back(b);
    }
    // In increasing order, so each yield compares with the next mark only: the hook runs
    // at every yield, and its cost counts as the program's.
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    const std::uint64_t base = run.host.yields();
    size_t next = 0;
    host::testing::setYieldHook(run.host, [&](std::uint64_t count) {
        const std::uint64_t k = count - base;
        while (next < wanted.size() && wanted[next] < k)
            ++next;
        if (next < wanted.size() && wanted[next] == k)
            marks.push_back(mark(k));
    });
    handler();
    marks.push_back(mark(kEnd));
    host::testing::setYieldHook(run.host, nullptr);
    auto find = [&](std::uint64_t k) -> const Mark* {
        for (const Mark& m : marks)
            if (m.yield == k)
                return &m;
        return nullptr;
    };
    std::vector<Pause> pauses;
    for (auto [a, b] : spans) {
        const Mark *start = find(a), *end = find(b);
        if (!start || !end)
            continue;
        const double ms = msBetween(start->t, end->t);
        pauses.push_back({ms, 100.0 * (end->cpuMs - start->cpuMs) / ms, 100.0 * (end->uiCpuMs - start->uiCpuMs) / ms});
    }
    return pauses;
}

struct PauseSeries {
    std::vector<double> ms, cpu, uiCpu;
    std::uint64_t yields = 0, waits = 0;
    void add(const std::vector<Pause>& pauses)
    {
        for (const Pause& p : pauses) {
            ms.push_back(p.ms);
            cpu.push_back(p.cpuPercent);
            uiCpu.push_back(p.uiCpuPercent);
        }
    }
    Json json() const
    {
        return object({{"length_ms", summary(ms)},
                       {"cpu_percent", summary(cpu)},
                       {"ui_thread_cpu_percent", summary(uiCpu)},
                       {"waits_per_1000_yields", number(yields ? 1000.0 * double(waits) / double(yields) : 0)}});
    }
};

} // namespace

Json pauses(int runs, bool withEvents)
{
    ProgramRun run;
    run.openPage(4);
    run.host.setPace(std::chrono::microseconds(10));
    Receiver receiver;
    std::unique_ptr<Poster> poster;
    std::unique_ptr<XMotion> motion;
    if (withEvents) {
        poster = std::make_unique<Poster>(&receiver);
        motion = XMotion::start();
    }

    auto measured = [&](PauseSeries& series, const std::function<void()>& body) {
        const auto y0 = run.host.yields(), w0 = run.host.waits();
        receiver.recording = true;
        if (motion)
            motion->setRecording(true);
        body();
        if (motion)
            motion->setRecording(false);
        receiver.recording = false;
        series.yields += run.host.yields() - y0;
        series.waits += run.host.waits() - w0;
        ProgramRun::settle(10);
    };

    // The floor: the same events while the program waits in its own event loop, no
    // pause running. What a pause adds to the delays is the difference.
    std::vector<std::pair<std::string, Json>> idle;
    if (withEvents) {
        QWidget* page = run.form("Frm4").widget();
        if (motion)
            motion->over(page->mapToGlobal(QPoint(8, 8)), page->mapToGlobal(QPoint(12, 10)));
        receiver.recording = true;
        if (motion)
            motion->setRecording(true);
        QEventLoop loop;
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        const Mark before = mark(0);
        loop.exec();
        const Mark after = mark(0);
        if (motion)
            motion->setRecording(false);
        receiver.recording = false;
        const double ms = std::chrono::duration<double, std::milli>(after.t - before.t).count();
        idle.emplace_back("cpu_idle_percent", object({{"process", number(100.0 * (after.cpuMs - before.cpuMs) / ms)},
                                                      {"ui_thread", number(100.0 * (after.uiCpuMs - before.uiCpuMs) / ms)}}));
        idle.emplace_back("posted_event_delay_idle_ms", summary(receiver.delays));
        receiver.delays.clear();
        if (motion) {
            idle.emplace_back("x_pointer_motion_delay_idle_ms", summary(motion->delays()));
            motion->clear();
        }
        // The machine's own floor, under anything that waits: how late a plain sleep of
        // 0.1 ms wakes, over the same 3 s, with no toolkit involved.
        std::vector<double> late;
        for (const auto end = Clock::now() + std::chrono::seconds(3); Clock::now() < end;) {
            const auto t0 = Clock::now();
            std::this_thread::sleep_for(std::chrono::microseconds(100));
            late.push_back(msBetween(t0, Clock::now()) - 0.1);
        }
        idle.emplace_back("sleep_lateness_ms", summary(late));
        ProgramRun::settle(20); // what arrived meanwhile, unrecorded
    }

    // Page 4: a ball click plays 60 frames, each a pause of 10000 yields.
    PauseSeries ball;
    {
        QWidget* page = run.form("Frm4").widget();
        if (motion)
            motion->over(page->mapToGlobal(QPoint(8, 8)), page->mapToGlobal(QPoint(12, 10)));
        std::vector<std::pair<std::uint64_t, std::uint64_t>> spans;
        for (std::uint64_t j = 0; j < 60; ++j)
            spans.emplace_back(1 + 10000 * j, j == 59 ? kEnd : 1 + 10000 * (j + 1));
        measured(ball, [&] { ball.add(timeHandler(run, spans, [&] { run.click("Frm4", "Imgballmain", 3); })); });
    }
    for (int p = 4; p < 6; ++p)
        run.click("Frm" + std::to_string(p), "ImgFor");
    ProgramRun::settle();

    // Pages 6 and 8: moves on the desk with both flags clear, each pausing 19000 yields
    // (page 8 twice). The pointer stays off the desk so no move nests in the pause.
    PauseSeries desk6, desk8;
    auto move = [&](int page) {
        run.form("Frm" + std::to_string(page))
            .raiseEvent(host::Event::MouseMove, "Picture1", -1, host::MouseArgs{0, 0, 1200, 900});
    };
    if (motion) {
        QWidget* page = run.form("Frm6").widget();
        motion->over(page->mapToGlobal(QPoint(8, 8)), page->mapToGlobal(QPoint(12, 10)));
    }
    for (int i = 0; i < runs; ++i)
        measured(desk6, [&] { desk6.add(timeHandler(run, {{1, 19001}}, [&] { move(6); })); });
    for (int p = 6; p < 8; ++p)
        run.click("Frm" + std::to_string(p), "ImgFor");
    ProgramRun::settle();
    if (motion) {
        QWidget* page = run.form("Frm8").widget();
        motion->over(page->mapToGlobal(QPoint(8, 8)), page->mapToGlobal(QPoint(12, 10)));
    }
    for (int i = 0; i < (runs + 1) / 2; ++i)
        measured(desk8, [&] { desk8.add(timeHandler(run, {{2, 19002}, {19003, 38003}}, [&] { move(8); })); });

    std::vector<std::pair<std::string, Json>> fields{
        {"pause_10000", ball.json()},
        {"pause_19000_frm6", desk6.json()},
        {"pause_19000_frm8", desk8.json()},
    };
    if (poster)
        fields.emplace_back("posted_event_delay_ms", summary(receiver.delays));
    if (motion)
        fields.emplace_back("x_pointer_motion_delay_ms", object({{"delays", summary(motion->delays())},
                                                                 {"lost", number(motion->lost())}}));
    fields.insert(fields.end(), idle.begin(), idle.end());
    return object(fields);
}

} // namespace bench
