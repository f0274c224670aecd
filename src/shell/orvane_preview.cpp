#include "shell/orvane_preview.h"

#include "resources/layouts/layouts.h"
#include "shell/module1.h"

namespace shell {

Form5::Form5(host::Host& host) : Form(host, resources::layouts::Form5)
{
    // A click on the blurb goes to the label, which has no handler.
    onClick(host::kWindow, [this] { Hide(); });
}

void Form5::Form_Load()
{
    if (smallFonts()) {
        setHeight(6525);
        setWidth(9165);
        control("Label1").setLeft(7545);
        control("Label1").setTop(2310);
    }
}

} // namespace shell
