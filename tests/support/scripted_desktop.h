// A desktop whose answers the test decides: message-box answers, print-dialog
// outcomes and printer failures, a chosen display density; it records what it was asked.
#pragma once

#include "host/desktop.h"

#include <QImage>
#include <QString>
#include <deque>
#include <functional>
#include <vector>

struct AskedMessage {
    QString prompt;
    int style;
    QString title;
    QWidget* over; // the window it belongs to
};

struct PrintedImage {
    QImage image;
    double dpi;
};

class ScriptedDesktop : public host::Desktop {
public:
    // Answers, in order; when none is left the box answers No (or OK).
    std::deque<int> answers;
    // Runs while a message box is open, before it answers (a test can look at the screen).
    std::function<void()> onMessage;
    std::vector<AskedMessage> messages;

    enum class PrintOutcome { Ok, Cancel, FailOpen, FailEnd };
    std::deque<PrintOutcome> printOutcomes;
    std::vector<host::PrintSettings> printDialogs;
    std::vector<QWidget*> printDialogOwners;
    std::vector<PrintedImage> printed;
    int documentsEnded = 0;

    std::vector<QString> commands;
    bool shellFails = false;

    int dpi = 120;
    int ends = 0;

    int messageBox(const QString& prompt, int style, const QString& title, QWidget* over) override;
    std::unique_ptr<host::Printer> printDialog(const host::PrintSettings& settings, QWidget* parent) override;
    void shell(const QString& command, int windowStyle) override;
    int logicalDpi() override { return dpi; }
    void end() override { ++ends; }
};
