// A fresh program over a scripted desktop for every test, with unpaced yields.
#pragma once

#include "host/form.h"
#include "host/host.h"
#include "program.h"
#include "support/scripted_desktop.h"

#include <gtest/gtest.h>
#include <memory>

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { makeProgram(120); }
    void TearDown() override;

    // Builds the program anew for a display of this many pixels per inch.
    void makeProgram(int dpi);
    // Runs the start-up: the splash is shown (and with it the backdrop and the title window).
    void start();

    host::Form& form(std::string_view name) { return host->form(name); }
    shell::Module1& module() { return program->module; }
    // The windows that are shown now, by name, backdrop included.
    std::vector<std::string> shownWindows() const;

    // Sends an event to a control (or host::kWindow) the way the widgets do.
    void click(std::string_view window, std::string_view control, int index = -1);
    void move(std::string_view window, std::string_view control, int index = -1, float x = 0, float y = 0);
    // Walks from start-up to page n through the menus and the pages' forward buttons.
    void openPage(int n);

    ScriptedDesktop desktop;
    std::unique_ptr<host::Host> host;
    std::unique_ptr<Program> program;
};

// Readable failure messages for Qt's strings.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// The asset name of the picture a control shows.
QString pictureOf(host::Form& form, std::string_view control, int index = -1);
