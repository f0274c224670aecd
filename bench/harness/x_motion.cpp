#include "x_motion.h"

#include "stats.h"

#ifdef VANTREL_BENCH_XCB
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>
#include <xcb/xcb.h>

#include <atomic>
#include <mutex>
#include <random>
#include <thread>
#endif

namespace bench {

#ifdef VANTREL_BENCH_XCB
namespace {

std::int64_t nowNs() { return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count(); }

class XcbMotion final : public XMotion, public QObject {
public:
    explicit XcbMotion(xcb_connection_t* c) : m_c(c)
    {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        qApp->installEventFilter(this);
        m_thread = std::thread([this] { run(); });
    }
    ~XcbMotion() override
    {
        m_stop = true;
        m_thread.join();
        qApp->removeEventFilter(this);
        xcb_disconnect(m_c);
    }
    void over(QPoint a, QPoint b) override
    {
        std::lock_guard lock(m_mutex);
        m_a = a;
        m_b = b;
        m_haveTarget = true;
    }
    void setRecording(bool on) override { m_recording = on; }
    std::vector<double> delays() const override
    {
        std::lock_guard lock(m_mutex);
        return m_delays;
    }
    int lost() const override
    {
        std::lock_guard lock(m_mutex);
        return m_lost;
    }
    void clear() override
    {
        std::lock_guard lock(m_mutex);
        m_delays.clear();
        m_lost = 0;
    }

protected:
    // The first place the user-interface thread sees a move: its window.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseMove && watched->isWindowType()) {
            const std::int64_t now = nowNs();
            if (m_received.load() < m_sent.load())
                m_received.store(now);
        }
        return false;
    }

private:
    void run()
    {
        std::mt19937 random(11);
        std::uniform_int_distribution<int> gap(1000, 4000);
        bool toggle = false;
        publishHelperCpu(1);
        while (!m_stop) {
            std::this_thread::sleep_for(std::chrono::microseconds(gap(random)));
            publishHelperCpu(1);
            QPoint target;
            {
                std::lock_guard lock(m_mutex);
                if (!m_recording || !m_haveTarget)
                    continue;
                target = (toggle = !toggle) ? m_a : m_b;
            }
            const std::int64_t sent = nowNs();
            m_sent.store(sent);
            xcb_warp_pointer(m_c, XCB_NONE, m_root, 0, 0, 0, 0, int16_t(target.x()), int16_t(target.y()));
            xcb_flush(m_c);
            const std::int64_t deadline = sent + 100'000'000;
            while (m_received.load() < sent && nowNs() < deadline)
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            const std::int64_t received = m_received.load();
            std::lock_guard lock(m_mutex);
            if (received >= sent)
                m_delays.push_back(double(received - sent) / 1e6);
            else
                ++m_lost;
        }
    }

    xcb_connection_t* m_c;
    xcb_window_t m_root;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    QPoint m_a, m_b;
    bool m_haveTarget = false;
    std::atomic<bool> m_recording{false}, m_stop{false};
    std::atomic<std::int64_t> m_sent{0}, m_received{0};
    std::vector<double> m_delays;
    int m_lost = 0;
};

} // namespace

std::unique_ptr<XMotion> XMotion::start()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return nullptr;
    }
    return std::make_unique<XcbMotion>(c);
}
#else
std::unique_ptr<XMotion> XMotion::start() { return nullptr; }
#endif

} // namespace bench
