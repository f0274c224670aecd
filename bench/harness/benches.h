// The in-process benchmarks; each returns its figures as one JSON object.
#pragma once

#include "stats.h"

namespace bench {

// A forward or back click to the next page's first paint, for every page.
Json pageChange(int rounds);
// Painting a whole page with grab(), for every page.
Json pagePaint(int reps);
// A mouse move on the desks of pages 6 and 8 with the pauses skipped (both flags set).
Json moves(int events);
// Real pause lengths with the default pacing and CPU during them. With events: another
// thread posts events meanwhile (and on X moves the pointer), and their delays are kept.
Json pauses(int runs, bool withEvents);

} // namespace bench
