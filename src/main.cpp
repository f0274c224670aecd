#include "host/desktop.h"
#include "host/host.h"
#include "program.h"

#include <QApplication>

int main(int argc, char** argv)
{
    host::beforeApplication();
    QApplication app(argc, argv);
    host::afterApplication();
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    // The desktop entry's name, so docks and Wayland compositors match the windows to it.
    QApplication::setDesktopFileName(QStringLiteral("example.tellisande.Vantrel"));
    // Windows are hidden and shown, never closed; only End leaves the event loop.
    QApplication::setQuitOnLastWindowClosed(false);

    const auto desktop = host::makeQtDesktop();
    host::Host host(*desktop);
    Program program(host);
    program.start();
    return QApplication::exec();
}
