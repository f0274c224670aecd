#include "shell/welcome.h"

#include "resources/layouts/layouts.h"
#include "shell/module1.h"
#include "shell/small_fonts.h"

namespace shell {

Form2::Form2(host::WindowHost& host) : Form(host, resources::layouts::Form2)
{
    onClick("Command1", [this] { Command1_Click(); });
    // Space is the focused button's own.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                                    QKeySequence(Qt::ALT | Qt::Key_Right)})
        addShortcut(keys, [this] { Command1_Click(); }, "Command1");
}

void Form2::Form_Load()
{
    applySmallFonts(*this);
}

void Form2::Command1_Click()
{
    window("Form3").Show();
    Unload();
}

} // namespace shell
