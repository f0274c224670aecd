#include "bench_desktop.h"

#include "support/route.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <string>

namespace bench {

int BenchDesktop::messageBox(const QString&, int style, const QString&, QWidget*)
{
    return (style & 7) == host::mb::YesNo ? host::mb::No : host::mb::Ok;
}

int BenchDesktop::logicalDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? int(std::lround(screen->logicalDotsPerInchX())) : 0;
}

ProgramRun::ProgramRun(std::chrono::nanoseconds pace) : host(desktop, pace), program(host) {}

ProgramRun::~ProgramRun()
{
    // The program's destructor deletes what is still loaded; released widgets wait
    // for the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ProgramRun::click(std::string_view window, std::string_view control, int index)
{
    form(window).raiseEvent(host::Event::Click, control, index);
}

void ProgramRun::openPage(int n)
{
    program.start();
    support::clickToPage(n, [this](std::string_view window, std::string_view control, int index) {
        click(window, control, index);
    });
    settle();
}

void ProgramRun::settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (timer.elapsed() < ms);
}

} // namespace bench
