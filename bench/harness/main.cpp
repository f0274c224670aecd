// The in-process benchmarks over the program's own windows. Prints one JSON object.
//
//   bench_harness [--sections pages,paint,moves,pauses,pauses-events] [--rounds N] [--reps N]
//                 [--events N] [--runs N]
#include "benches.h"
#include "host/host.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The offscreen platform warns at every window raised; the figures are on stdout.
void quietHandler(QtMsgType, const QMessageLogContext&, const QString& message)
{
    if (!message.contains(QLatin1String("does not support raise()")))
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    host::beforeApplication(); // as the program does
    QApplication app(argc, argv);
    host::afterApplication();
    qInstallMessageHandler(quietHandler);
    QApplication::setQuitOnLastWindowClosed(false);
    std::string sections = "pages,paint,moves,pauses,pauses-events";
    int rounds = 41, reps = 30, events = 2000, runs = 20;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        const char* value = argv[i + 1];
        if (arg == "--sections")
            sections = value;
        else if (arg == "--rounds")
            rounds = std::atoi(value);
        else if (arg == "--reps")
            reps = std::atoi(value);
        else if (arg == "--events")
            events = std::atoi(value);
        else if (arg == "--runs")
            runs = std::atoi(value);
        else {
            std::fprintf(stderr, "unknown option %s\n", arg.c_str());
            return 2;
        }
    }
    auto wanted = [&](const char* name) { return ("," + sections + ",").find(std::string(",") + name + ",") != std::string::npos; };

    using namespace bench;
    std::vector<std::pair<std::string, Json>> results{
        {"platform", string(QGuiApplication::platformName().toStdString())}};
    if (wanted("pages"))
        results.emplace_back("page_change_ms", pageChange(rounds));
    if (wanted("paint"))
        results.emplace_back("page_paint_grab_ms", pagePaint(reps));
    if (wanted("moves"))
        results.emplace_back("move_ms", moves(events));
    if (wanted("pauses"))
        results.emplace_back("pauses_quiet", pauses(runs, false));
    if (wanted("pauses-events"))
        results.emplace_back("pauses_with_events", pauses(runs, true));
    std::printf("%s\n", object(results).text.c_str());
    return 0;
}
