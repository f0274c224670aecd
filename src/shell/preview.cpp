#include "shell/preview.h"

#include "shell/small_fonts.h"

namespace shell {

Preview::Preview(host::WindowHost& host, const host::StoredWindow& layout) : Form(host, layout)
{
    // A click on the Orvane preview's blurb goes to its label, which has no handler.
    onClick(host::kWindow, [this] { Hide(); });
    for (const auto key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        addShortcut(QKeySequence(key), [this] { Hide(); });
}

void Preview::Form_Load() { applySmallFonts(*this); }

} // namespace shell
