// Summaries of timing samples and the small JSON writer the harness reports with.
#pragma once

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double msBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// CPU time of the whole process, in milliseconds.
double processCpuMs();
// CPU time of the calling thread, in milliseconds.
double threadCpuMs();
// The bench's own helper threads publish their CPU time here, so that it can be taken
// out of the program's (slot 0: event poster, slot 1: pointer mover).
void publishHelperCpu(int slot);
double helperCpuMs();

// One JSON value, already written out.
struct Json {
    std::string text;
};
Json number(double value);
Json string(const std::string& value);
Json boolean(bool value);
Json object(const std::vector<std::pair<std::string, Json>>& fields);
Json array(const std::vector<Json>& values);
// n, median, p90, p99, min, max, mean of the samples.
Json summary(std::vector<double> samples);
double median(std::vector<double> samples);
double maximum(const std::vector<double>& samples);

} // namespace bench
