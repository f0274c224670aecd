#include "support/fixture.h"

#include "host/testing.h"
#include "support/route.h"

#include <QCoreApplication>
#include <QWidget>

void ProgramTest::makeProgram(int dpi)
{
    program.reset();
    host.reset();
    desktop = ScriptedDesktop{};
    desktop.dpi = dpi;
    host = std::make_unique<host::Host>(desktop, std::chrono::nanoseconds(0));
    program = std::make_unique<Program>(*host);
}

void ProgramTest::TearDown()
{
    program.reset();
    host.reset();
    // Widgets released during the test are deleted from the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ProgramTest::start() { program->start(); }

std::vector<std::string> ProgramTest::shownWindows() const
{
    std::vector<std::string> shown;
    for (host::Form* f : host::testing::forms(*host))
        if (f->isVisible())
            shown.emplace_back(f->name());
    return shown;
}

void ProgramTest::click(std::string_view window, std::string_view control, int index)
{
    form(window).raiseEvent(host::Event::Click, control, index);
}

void ProgramTest::move(std::string_view window, std::string_view control, int index, float x, float y)
{
    form(window).raiseEvent(host::Event::MouseMove, control, index, host::MouseArgs{0, 0, x, y});
}

void ProgramTest::openPage(int n)
{
    start();
    support::clickToPage(n, [this](std::string_view window, std::string_view control, int index) {
        click(window, control, index);
    });
}

QString pictureOf(host::Form& form, std::string_view control, int index)
{
    return host::pictureOf(form.control(control, index)).name();
}
