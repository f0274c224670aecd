#include "shell/orvane_preview.h"

#include "resources/layouts/layouts.h"
#include "shell/module1.h"
#include "shell/small_fonts.h"

namespace shell {

Form5::Form5(host::Host& host) : Form(host, resources::layouts::Form5)
{
    // A click on the blurb goes to the label, which has no handler.
    onClick(host::kWindow, [this] { Hide(); });
    for (const auto key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        addShortcut(QKeySequence(key), [this] { Hide(); });
}

void Form5::Form_Load()
{
    applySmallFonts(*this);
}

} // namespace shell
