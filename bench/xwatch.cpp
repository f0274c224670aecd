// Starts a program and watches the X server from outside it: when a window with the
// given title is mapped, when its area first shows the frame it settles on, and the
// program's peak resident memory at the end. The program needs no help from inside.
//
//   bench_xwatch --title TITLE [--region WxH] [--hold S] [--interval-us N] [--timeout S] -- program args...
//
// --region reads only a rectangle of that size in the middle of the window: a full-screen
// window's pixels take milliseconds to read, which would blur when its first frame came.
//
// Prints one JSON object. Times are milliseconds from just before the fork.
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    auto* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return a;
}

std::string property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t prop, xcb_atom_t type)
{
    auto* reply = xcb_get_property_reply(c, xcb_get_property(c, 0, w, prop, type, 0, 1024), nullptr);
    std::string value;
    if (reply) {
        value.assign(static_cast<const char*>(xcb_get_property_value(reply)), size_t(xcb_get_property_value_length(reply)));
        free(reply);
    }
    return value;
}

std::uint64_t fnv1a(const std::uint8_t* data, size_t n)
{
    std::uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < n; ++i)
        h = (h ^ data[i]) * 1099511628211ull;
    return h;
}

// A figure in kB from the process's status, -1 when missing.
long statusKb(pid_t pid, const std::string& key)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key + ":", 0) == 0)
            return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
    return -1;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

int fail(const char* message, pid_t pid = 0)
{
    if (pid > 0)
        stop(pid);
    std::printf("{\"error\": \"%s\"}\n", message);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::string title;
    double hold = 1.0, timeout = 20.0;
    int intervalUs = 1000;
    int regionW = 0, regionH = 0;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return fail("missing value");
        if (arg == "--title")
            title = argv[++i];
        else if (arg == "--hold")
            hold = std::atof(argv[++i]);
        else if (arg == "--region")
            std::sscanf(argv[++i], "%dx%d", &regionW, &regionH);
        else if (arg == "--interval-us")
            intervalUs = std::atoi(argv[++i]);
        else if (arg == "--timeout")
            timeout = std::atof(argv[++i]);
        else
            return fail("unknown option");
    }
    if (i + 1 >= argc || title.empty())
        return fail("usage: bench_xwatch --title TITLE [--hold S] -- program args...");
    char** command = argv + i + 1;

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return fail("cannot connect to the X server");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netWmName = atom(c, "_NET_WM_NAME"), utf8 = atom(c, "UTF8_STRING");
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); // the selection is in force

    const auto t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(command[0], command);
        _exit(127);
    }

    // Top-level windows without a window manager are children of the root.
    xcb_window_t window = XCB_NONE;
    double mapped = -1;
    pollfd pfd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (window == XCB_NONE) {
        if (msSince(t0) > timeout * 1000)
            return fail("the window did not map in time", pid);
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return fail("the program ended before its window mapped");
        poll(&pfd, 1, 5);
        while (xcb_generic_event_t* ev = xcb_poll_for_event(c)) {
            if ((ev->response_type & 0x7f) == XCB_MAP_NOTIFY && window == XCB_NONE) {
                const double t = msSince(t0);
                const xcb_window_t w = reinterpret_cast<xcb_map_notify_event_t*>(ev)->window;
                std::string name = property(c, w, netWmName, utf8);
                if (name.empty())
                    name = property(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
                if (name == title) {
                    window = w;
                    mapped = t;
                }
            }
            free(ev);
        }
    }

    auto* geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    if (!geometry)
        return fail("the window went away", pid);
    int x = geometry->x, y = geometry->y, w = geometry->width, h = geometry->height;
    free(geometry);
    if (regionW > 0 && regionH > 0 && regionW < w && regionH < h) {
        x += (w - regionW) / 2;
        y += (h - regionH) / 2;
        w = regionW;
        h = regionH;
    }

    // The root's pixels over the window: what is on screen, whoever drew it.
    struct Sample {
        double t;
        std::uint64_t hash;
    };
    std::vector<Sample> changes;
    const double until = mapped + hold * 1000;
    int samples = 0;
    while (msSince(t0) < until) {
        auto* image = xcb_get_image_reply(
            c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, int16_t(x), int16_t(y), uint16_t(w), uint16_t(h), ~0u),
            nullptr);
        const double t = msSince(t0);
        if (!image)
            break;
        const std::uint64_t hash = fnv1a(xcb_get_image_data(image), size_t(xcb_get_image_data_length(image)));
        free(image);
        ++samples;
        if (changes.empty() || changes.back().hash != hash)
            changes.push_back({t, hash});
        std::this_thread::sleep_for(std::chrono::microseconds(intervalUs));
    }
    if (changes.empty())
        return fail("no pixels could be read", pid);
    const long peakKb = statusKb(pid, "VmHWM"), anonKb = statusKb(pid, "RssAnon"),
               fileKb = statusKb(pid, "RssFile"), shmemKb = statusKb(pid, "RssShmem");
    stop(pid);

    // The first frame painted: the first sample that shows what the window settles on.
    const std::uint64_t settled = changes.back().hash;
    double painted = -1;
    for (const Sample& s : changes)
        if (s.hash == settled) {
            painted = s.t;
            break;
        }
    std::printf("{\"mapped_ms\": %.3f, \"painted_ms\": %.3f, \"first_sample_ms\": %.3f, \"changes\": %zu, "
                "\"samples\": %d, \"vmhwm_kb\": %ld, \"rss_anon_kb\": %ld, \"rss_file_kb\": %ld, \"rss_shmem_kb\": %ld, "
                "\"x\": %d, \"y\": %d, \"w\": %d, \"h\": %d}\n",
                mapped, painted, changes.front().t, changes.size(), samples, peakKb, anonKb, fileKb, shmemKb, x, y, w,
                h);
    xcb_disconnect(c);
    return 0;
}
