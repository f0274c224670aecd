#include "shell/main_screen_preview.h"

#include "resources/layouts/layouts.h"
#include "shell/module1.h"
#include "shell/small_fonts.h"

namespace shell {

Form4::Form4(host::Host& host) : Form(host, resources::layouts::Form4)
{
    onClick(host::kWindow, [this] { Hide(); });
    for (const auto key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        addShortcut(QKeySequence(key), [this] { Hide(); });
}

void Form4::Form_Load()
{
    applySmallFonts(*this);
}

} // namespace shell
