#include "shell/chapter_title.h"

#include "resources/layouts/layouts.h"
#include "shell/module1.h"
#include "shell/small_fonts.h"

namespace shell {

frmk0::frmk0(host::WindowHost& host) : Form(host, resources::layouts::frmk0)
{
    onClickIndexed("Image2", [this](int index) { Image2_Click(index); });
    bind(host::Event::MouseMove, "Image2", [this](int index, const host::MouseArgs&) { Image2_MouseMove(index); });
    bind(host::Event::MouseMove, host::kWindow, [this](int, const host::MouseArgs&) { Form_MouseMove(); });
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                                    QKeySequence(Qt::ALT | Qt::Key_Right)})
        addShortcut(keys, [this] { Image2_Click(0); }, "Image2");
}

void frmk0::Form_Load()
{
    window("FrmBack").Show();
    module().CurrentForm = this;
    CheckScreenDpi(*this);
    applySmallFonts(*this);
}

void frmk0::Image2_Click(int)
{
    window("Frm1").Show();
    Unload();
}

void frmk0::Image2_MouseMove(int) { m_start->setPicture(ListImage(1)); }

void frmk0::Form_MouseMove() { m_start->setPicture(ListImage(6)); }

} // namespace shell
