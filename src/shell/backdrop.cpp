#include "shell/backdrop.h"

#include "host/control.h"
#include "resources/layouts/layouts.h"
#include "shell/module1.h"

namespace shell {

FrmBack::FrmBack(host::WindowHost& host) : Form(host, resources::layouts::FrmBack)
{
    bind(host::Event::MouseDown, host::kWindow, [this](int, const host::MouseArgs&) { Form_MouseDown(); });
    bind(host::Event::DblClick, host::kWindow, [this](int, const host::MouseArgs&) { Form_MouseDown(); });
}

void FrmBack::Form_Load() { setBackColor(host::RGB(111, 81, 166)); }

void FrmBack::Form_MouseDown()
{
    if (host::Form* current = module().CurrentForm)
        current->Show();
}

} // namespace shell
