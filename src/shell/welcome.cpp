#include "shell/welcome.h"

#include "resources/layouts/layouts.h"
#include "shell/module1.h"

namespace shell {

Form2::Form2(host::Host& host) : Form(host, resources::layouts::Form2)
{
    onClick("Command1", [this] { Command1_Click(); });
}

void Form2::Form_Load()
{
    if (smallFonts()) {
        setHeight(6570);
        setWidth(8760);
        control("Command1").setLeft(7605);
        control("Command1").setTop(5535);
    }
}

void Form2::Command1_Click()
{
    window("Form3").Show();
    Unload();
}

} // namespace shell
