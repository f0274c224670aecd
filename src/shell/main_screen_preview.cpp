#include "shell/main_screen_preview.h"

#include "resources/layouts/layouts.h"
#include "shell/module1.h"

namespace shell {

Form4::Form4(host::Host& host) : Form(host, resources::layouts::Form4)
{
    onClick(host::kWindow, [this] { Hide(); });
}

void Form4::Form_Load()
{
    if (smallFonts()) {
        setHeight(6420);
        setWidth(9600);
    }
}

} // namespace shell
