#include "stats.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <numeric>

namespace bench {

double processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

namespace {
std::atomic<double> g_helperCpu[2];
} // namespace

void publishHelperCpu(int slot) { g_helperCpu[slot].store(threadCpuMs()); }

double helperCpuMs() { return g_helperCpu[0].load() + g_helperCpu[1].load(); }

Json number(double value)
{
    if (!std::isfinite(value))
        return {"null"};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    return {buffer};
}

Json string(const std::string& value)
{
    std::string out = "\"";
    for (char c : value) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return {out + "\""};
}

Json boolean(bool value) { return {value ? "true" : "false"}; }

Json object(const std::vector<std::pair<std::string, Json>>& fields)
{
    std::string out = "{";
    for (size_t i = 0; i < fields.size(); ++i)
        out += (i ? ", " : "") + string(fields[i].first).text + ": " + fields[i].second.text;
    return {out + "}"};
}

Json array(const std::vector<Json>& values)
{
    std::string out = "[";
    for (size_t i = 0; i < values.size(); ++i)
        out += (i ? ", " : "") + values[i].text;
    return {out + "]"};
}

namespace {

// Nearest-rank percentile of sorted samples.
double percentile(const std::vector<double>& sorted, double p)
{
    if (sorted.empty())
        return NAN;
    const size_t rank = size_t(std::ceil(p / 100.0 * double(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

} // namespace

double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    if (samples.empty())
        return NAN;
    const size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

double maximum(const std::vector<double>& samples)
{
    return samples.empty() ? NAN : *std::max_element(samples.begin(), samples.end());
}

Json summary(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const double mean =
        samples.empty() ? NAN : std::accumulate(samples.begin(), samples.end(), 0.0) / double(samples.size());
    return object({{"n", number(double(samples.size()))},
                   {"median", number(median(samples))},
                   {"p90", number(percentile(samples, 90))},
                   {"p99", number(percentile(samples, 99))},
                   {"min", number(samples.empty() ? NAN : samples.front())},
                   {"max", number(samples.empty() ? NAN : samples.back())},
                   {"mean", number(mean)}});
}

} // namespace bench
