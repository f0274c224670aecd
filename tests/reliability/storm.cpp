#include "storm.h"

#include "host/form.h"
#include "host/host.h"
#include "host/testing.h"
#include "program.h"
#include "shell/module1.h"
#include "support/scripted_desktop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

constexpr std::size_t kRecent = 40;
// Beyond this many events injected inside each other, injections only leave the page,
// which ends the pauses below instead of starting more.
constexpr int kMaxInjectDepth = 10;

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

} // namespace

long stormLength(long fallback)
{
    const char* text = std::getenv("VANTREL_STORM_EVENTS");
    return text && *text ? std::atol(text) : fallback;
}

std::uint64_t stormSeed()
{
    const char* text = std::getenv("VANTREL_STORM_SEED");
    if (text && *text)
        return std::strtoull(text, nullptr, 10);
    return (std::uint64_t(std::random_device{}()) << 32) | std::random_device{}();
}

Storm::Storm(std::uint64_t seed) : m_seed(seed), m_rng(seed)
{
    // Every event as it runs, for replaying a failure by eye.
    const char* trace = std::getenv("VANTREL_STORM_TRACE");
    m_trace = trace && *trace && *trace != '0';
}

Storm::~Storm() { tearDown(); }

void Storm::build()
{
    tearDown();
    m_desktop = std::make_unique<ScriptedDesktop>();
    // Both layouts: the small-font one at 96 pixels per inch, the stored one at 120.
    m_desktop->dpi = chance(0.5) ? 96 : 120;
    m_desktop->shellFails = chance(0.5);
    m_host = std::make_unique<host::Host>(*m_desktop, std::chrono::nanoseconds(0));
    m_program = std::make_unique<Program>(*m_host);
    m_watch = std::make_unique<Watch>(*m_host, m_program->module, *m_desktop);
    m_watch->allowPrefix(QStringLiteral("The page could not be printed."));
    m_watch->allowPrefix(QStringLiteral("The address could not be opened."));
    host::testing::setYieldHook(*m_host, [this](std::uint64_t) { onYield(); });
    m_endExpected = false;
    ++m_figures.programs;
    m_program->start();
    after("start (" + std::to_string(m_desktop->dpi) + " dpi)", Source::TopLevel);
}

void Storm::tearDown()
{
    if (m_host)
        m_figures.yields += m_host->yields();
    m_program.reset();
    m_host.reset();
    m_watch.reset();
    m_desktop.reset();
    flushDeletes();
}

std::string Storm::run(long events)
{
    const auto started = std::chrono::steady_clock::now();
    m_target = events;
    // Inside a running event loop, as in the program: only there do widgets released by
    // a handler get deleted at the next yield, which is what the host must survive.
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        build();
        while (m_failure.empty() && m_figures.events < m_target)
            topLevelEvent();
        loop.quit();
    });
    loop.exec();
    if (m_host)
        m_figures.deepest = std::max(m_figures.deepest, host::testing::deepestNesting(*m_host));
    tearDown();
    m_figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return m_failure;
}

long Storm::gap()
{
    // Geometric: most injections come soon, some only after thousands of yields.
    return 1 + long(std::geometric_distribution<long>(1.0 / double(m_gapMean))(m_rng));
}

void Storm::topLevelEvent()
{
    static constexpr long kGaps[] = {8, 64, 512, 4096, 16384};
    m_gapMean = kGaps[below(5)];
    m_countdown = gap();
    if (m_desktop->printOutcomes.empty()) {
        using P = ScriptedDesktop::PrintOutcome;
        static constexpr P kOutcomes[] = {P::Ok, P::Ok, P::Cancel, P::FailOpen, P::FailEnd};
        m_desktop->printOutcomes.push_back(kOutcomes[below(5)]);
    }
    if (chance(0.0004)) {
        build(); // a fresh program, as after an end
        return;
    }
    std::string what;
    if (chance(0.0006))
        what = exitYes();
    else if (pageShown() > 0 && chance(0.05))
        what = chance(0.7) ? clickControl(mainWindow(), pageShown() < 8 ? "ImgFor" : "ImgBack", -1) : leavePage();
    else if ((pageShown() == 4 || pageShown() == 6 || pageShown() == 8) && chance(0.2))
        what = simulationEvent();
    else
        what = anyEvent(pickWindow());
    // The event loop would paint and delete released widgets now.
    QCoreApplication::processEvents();
    flushDeletes();
    after(what, Source::TopLevel);
    if (m_failure.empty() && m_desktop->ends > 0)
        settleEnd();
}

void Storm::onYield()
{
    if (!m_failure.empty()) {
        // Unwind every suspended handler at once.
        if (!m_host->ending())
            m_host->End();
        return;
    }
    if (m_host->ending() || --m_countdown > 0)
        return;
    m_countdown = gap();
    inject();
}

void Storm::inject()
{
    ++m_injectDepth;
    std::string what;
    const double r = std::uniform_real_distribution<double>(0, 1)(m_rng);
    if (m_injectDepth > kMaxInjectDepth || m_figures.events >= m_target || r < 0.3) {
        what = leavePage();
    } else if (r < 0.5) {
        what = simulationEvent();
    } else if (r < 0.6) {
        what = realEvent(pickWindow(), true);
        ++m_figures.queued;
    } else if (r < 0.601) {
        what = exitYes();
    } else {
        what = anyEvent(pickWindow());
    }
    --m_injectDepth;
    after(what, Source::Injected);
}

void Storm::after(const std::string& what, Source source)
{
    ++m_figures.events;
    ++(source == Source::TopLevel ? m_figures.topLevel : m_figures.injected);
    std::ostringstream line;
    line << '#' << m_figures.events << " depth " << m_host->nesting() << ": " << what;
    if (m_trace)
        std::fprintf(stderr, "%s\n", line.str().c_str());
    m_recent.push_back(line.str());
    if (m_recent.size() > kRecent)
        m_recent.pop_front();
    if (const int page = pageShown())
        m_figures.pages.insert(page);
    m_figures.deepest = std::max(m_figures.deepest, host::testing::deepestNesting(*m_host));
    if (m_host->ending() || m_desktop->ends > 0) {
        if (!m_endExpected)
            fail("the program ended though nobody answered Yes");
        return; // the end is checked once everything has unwound
    }
    if (std::string broken = m_watch->check(); !broken.empty())
        fail(broken);
}

void Storm::settleEnd()
{
    ++m_figures.ends;
    if (m_desktop->ends != 1)
        return fail("End reached the desktop " + std::to_string(m_desktop->ends) + " times");
    if (std::string broken = m_watch->checkEnded(); !broken.empty())
        return fail(broken);
    build();
}

void Storm::fail(const std::string& broken)
{
    if (!m_failure.empty())
        return;
    std::ostringstream report;
    report << "seed " << m_seed << ", after event " << m_figures.events << ": " << broken
           << "\nthe events before it:\n";
    for (const std::string& line : m_recent)
        report << "  " << line << '\n';
    m_failure = report.str();
}

host::Form& Storm::mainWindow()
{
    static constexpr const char* kMain[] = {"Form1", "Form2", "Form3", "frmk0", "Frm1", "Frm2",
                                            "Frm3",  "Frm4",  "Frm5",  "Frm6",  "Frm7", "Frm8"};
    for (const char* name : kMain)
        if (m_host->form(name).isVisible())
            return m_host->form(name);
    return m_host->form("FrmBack");
}

int Storm::pageShown()
{
    if (!m_host || m_host->ending())
        return 0;
    for (int n = 1; n <= 8; ++n)
        if (m_host->form("Frm" + std::to_string(n)).isVisible())
            return n;
    return 0;
}
