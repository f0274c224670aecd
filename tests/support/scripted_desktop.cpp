#include "support/scripted_desktop.h"

#include "host/error.h"

namespace {

class ScriptedPrinter : public host::Printer {
public:
    ScriptedPrinter(ScriptedDesktop& desktop, ScriptedDesktop::PrintOutcome outcome)
        : m_desktop(desktop), m_outcome(outcome)
    {
    }
    void printImage(const QImage& image, double dpi) override
    {
        if (m_outcome == ScriptedDesktop::PrintOutcome::FailOpen)
            throw host::Error("The printer could not be opened.");
        m_desktop.printed.push_back({image, dpi});
    }
    void endDoc() override
    {
        if (m_outcome == ScriptedDesktop::PrintOutcome::FailEnd)
            throw host::Error("The print job failed.");
        ++m_desktop.documentsEnded;
    }

private:
    ScriptedDesktop& m_desktop;
    ScriptedDesktop::PrintOutcome m_outcome;
};

} // namespace

int ScriptedDesktop::messageBox(const QString& prompt, int style, const QString& title, QWidget* over)
{
    messages.push_back({prompt, style, title, over});
    if (onMessage)
        onMessage();
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return (style & 7) == host::mb::YesNo ? host::mb::No : host::mb::Ok;
}

std::unique_ptr<host::Printer> ScriptedDesktop::printDialog(const host::PrintSettings& settings, QWidget* over)
{
    printDialogs.push_back(settings);
    printDialogOwners.push_back(over);
    PrintOutcome outcome = PrintOutcome::Ok;
    if (!printOutcomes.empty()) {
        outcome = printOutcomes.front();
        printOutcomes.pop_front();
    }
    if (outcome == PrintOutcome::Cancel)
        return nullptr;
    return std::make_unique<ScriptedPrinter>(*this, outcome);
}

void ScriptedDesktop::shell(const QString& command, int)
{
    commands.push_back(command);
    if (shellFails)
        throw host::Error("The address could not be opened.");
}
