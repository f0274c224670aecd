// The whole program: its shared state and its fifteen windows over one host.
#pragma once

#include "shell/module1.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace host {
class Host;
class Form;
} // namespace host

class Program {
public:
    explicit Program(host::Host& host);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts as the program starts: says whether fonts are missing, then shows the splash.
    void start();

    // Where the font check reads the installed families; a test can name others.
    std::function<QStringList()> fontFamilies;

    shell::Module1 module;

private:
    host::Host& m_host;
    std::vector<std::unique_ptr<host::Form>> m_windows;
};
