#include "shell/splash.h"

#include "resources/layouts/layouts.h"
#include "shell/module1.h"
#include "shell/small_fonts.h"

namespace shell {

Form1::Form1(host::WindowHost& host) : Form(host, resources::layouts::Form1)
{
    bind(host::Event::Timer, "Timer1", [this](int, const host::MouseArgs&) { Timer1_Timer(); });
    onClick(host::kWindow, [this] { Form_Click(); });
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape})
        addShortcut(QKeySequence(key), [this] { Form_Click(); });
}

void Form1::Form_Load()
{
    CheckScreenDpi(window("frmk0"));
    applySmallFonts(*this);
}

void Form1::Timer1_Timer()
{
    window("Form2").Show();
    Unload();
}

void Form1::Form_Click()
{
    // No timer event may follow a click.
    timer("Timer1").setEnabled(false);
    window("Form2").Show();
    Unload();
}

} // namespace shell
