#include "shell/chapter_title.h"

#include "resources/layouts/layouts.h"
#include "shell/module1.h"

namespace shell {

frmk0::frmk0(host::Host& host) : Form(host, resources::layouts::frmk0)
{
    onClickIndexed("Image2", [this](int index) { Image2_Click(index); });
    bind(host::Event::MouseMove, "Image2", [this](int index, const host::MouseArgs&) { Image2_MouseMove(index); });
    bind(host::Event::MouseMove, host::kWindow, [this](int, const host::MouseArgs&) { Form_MouseMove(); });
    addShortcut(QKeySequence(Qt::Key_Return), [this] { Image2_Click(0); });
    addShortcut(QKeySequence(Qt::Key_Enter), [this] { Image2_Click(0); });
    addShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), [this] { Image2_Click(0); });
}

void frmk0::Form_Load()
{
    window("FrmBack").Show();
    module().CurrentForm = this;
    CheckScreenDpi();
    if (!smallFonts())
        return;
    setHeight(6030);
    setWidth(9120);
    control("Label1").setLeft(3250);
    control("Label1").setTop(300);
    control("Image5").setLeft(3250);
    control("Image5").setTop(5500);
    control("Image2", 0).setLeft(8160);
    control("Image2", 0).setTop(4905);
    control("Image1", 1).setLeft(-2565);
    control("Image1", 1).setTop(5190);
    control("Image7").setTop(4600);
    control("Image7").setLeft(3585);
    host::Control& line1 = control("Line1");
    line1.setX1(4305);
    line1.setX2(4305);
    line1.setY1(2049);
    line1.setY2(1425);
    host::Control& line2 = control("Line2");
    line2.setX1(4290);
    line2.setX2(4290);
    line2.setY1(2055);
    line2.setY2(1395);
    control("Image4").setLeft(3855);
    control("Image4").setTop(2055);
}

void frmk0::Image2_Click(int)
{
    window("Frm1").Show();
    Unload();
}

void frmk0::Image2_MouseMove(int index) { control("Image2", index).setPicture(ListImage(1)); }

void frmk0::Form_MouseMove() { control("Image2", 0).setPicture(ListImage(6)); }

} // namespace shell
