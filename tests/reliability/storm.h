// A seeded storm of random events through the whole program: pointer moves, clicks,
// double clicks and mouse downs on every control and background of the windows shown,
// some as real Qt mouse events through hit testing, close requests and keyboard
// shortcuts; and, from within the pauses of pages 4, 6 and 8, events injected at random
// yields so that handlers re-enter and pages are left mid-pause. Every invariant of
// Watch is checked after every event.
#pragma once

#include "watch.h"

#include <QPointF>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <set>
#include <string>

namespace host {
class Control;
class Form;
class Host;
} // namespace host
class Program;
class QWidget;
class ScriptedDesktop;

struct StormFigures {
    long events = 0;    // every event delivered, wherever it came from
    long topLevel = 0;  // events with no handler running
    long injected = 0;  // events delivered from within a yield
    long queued = 0;    // real events posted during a yield, delivered by it
    long real = 0;      // real mouse events through the widgets' hit testing
    long reentries = 0; // a simulation handler entered while one was suspended
    long leftInPause = 0;
    long programs = 0; // programs built: the first, and one after each end or restart
    long ends = 0;
    int deepest = 0;
    std::uint64_t yields = 0;
    std::set<int> pages; // pages shown at some point
    double seconds = 0;
};

class Storm {
public:
    explicit Storm(std::uint64_t seed);
    ~Storm();
    Storm(const Storm&) = delete;
    Storm& operator=(const Storm&) = delete;

    // Runs at least `events` events, or until an invariant breaks. Returns the broken
    // invariant with the events that led to it; empty when every check held.
    std::string run(long events);
    const StormFigures& figures() const { return m_figures; }

private:
    enum class Source { TopLevel, Injected };

    // Program lifecycle and checks (storm.cpp).
    void build();
    void tearDown();
    void topLevelEvent();
    void onYield();
    void inject();
    void after(const std::string& what, Source source);
    void fail(const std::string& broken);
    void settleEnd();
    host::Form& mainWindow();
    int pageShown();

    // The events themselves (storm_events.cpp).
    std::string anyEvent(host::Form& window);
    std::string raiseEvent(host::Form& window);
    std::string realEvent(host::Form& window, bool queued);
    std::string closeRequest(host::Form& window);
    std::string shortcut(host::Form& window);
    std::string leavePage();
    std::string simulationEvent();
    std::string exitYes();
    std::string clickControl(host::Form& window, const char* name, int index);
    host::Form& pickWindow();
    const host::Control* pickControl(host::Form& window);
    bool forbidden(const host::Form& window, const host::Control* control) const;
    void sendMouse(QWidget* widget, int kind, QPointF at, bool queued);

    // Random choices.
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_rng) < p; }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    float between(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(m_rng); }
    long gap();

    std::uint64_t m_seed;
    std::mt19937_64 m_rng;
    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<host::Host> m_host;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<Watch> m_watch;
    StormFigures m_figures;
    std::deque<std::string> m_recent; // the last events, for the failure report
    std::string m_failure;
    long m_target = 0;
    long m_countdown = 0;
    long m_gapMean = 100;
    int m_injectDepth = 0;
    bool m_endExpected = false;
    bool m_trace = false;
};

// The storm's length and seed from the environment (VANTREL_STORM_EVENTS,
// VANTREL_STORM_SEED), else the given length and a fresh random seed.
// VANTREL_STORM_TRACE=1 prints every event as it runs.
long stormLength(long fallback);
std::uint64_t stormSeed();
