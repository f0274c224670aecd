#include <QApplication>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

QtMessageHandler g_previous = nullptr;

// The offscreen platform cannot raise windows and says so at every Show.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("does not support raise()")))
        return;
    if (g_previous)
        g_previous(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_previous = qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
