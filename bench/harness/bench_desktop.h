// The program over a desktop that never blocks: message boxes answer No, the print
// dialog is cancelled, commands are not started. Everything else is the real program.
#pragma once

#include "host/desktop.h"
#include "host/form.h"
#include "host/host.h"
#include "program.h"

#include <chrono>
#include <string_view>

namespace bench {

class BenchDesktop final : public host::Desktop {
public:
    int messageBox(const QString&, int style, const QString&, QWidget*) override;
    std::unique_ptr<host::Printer> printDialog(const host::PrintSettings&, QWidget*) override { return nullptr; }
    void shell(const QString&, int) override {}
    int logicalDpi() override; // the screen's, as the real desktop reports it
    void end() override {}
};

// One run of the program, started and walked by raising the events the widgets raise.
struct ProgramRun {
    explicit ProgramRun(std::chrono::nanoseconds pace = std::chrono::nanoseconds(0));
    ~ProgramRun();

    host::Form& form(std::string_view name) { return host.form(name); }
    // Splash, welcome, menu, title, then the pages' forward buttons up to page n.
    void openPage(int n);
    void click(std::string_view window, std::string_view control, int index = -1);
    // Delivers pending events, deferred deletions included, for about this long.
    static void settle(int ms = 20);

    BenchDesktop desktop;
    host::Host host;
    Program program;
};

} // namespace bench
