#include "shell/demo_menu.h"

#include "resources/layouts/layouts.h"
#include "shell/module1.h"
#include "shell/small_fonts.h"

namespace shell {

Form3::Form3(host::WindowHost& host) : Form(host, resources::layouts::Form3)
{
    onClickIndexed("Command1", [this](int index) { Command1_Click(index); });
    onClick("Label2", [this] { Label2_Click(); });
}

void Form3::Form_Load()
{
    applySmallFonts(*this);
}

void Form3::Command1_Click(int index)
{
    if (index == 1) {
        window("Form4").Show();
    } else if (index == 3) {
        End();
    } else if (index == 0) {
        window("Form5").Show();
    } else if (index == 2) {
        window("frmk0").Show();
        Unload();
    }
}

void Form3::Label2_Click() { Shell(QStringLiteral("explorer ") + QLatin1String(kWebAddress), 4); }

} // namespace shell
