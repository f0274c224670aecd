#include "simulations/mouse_motherboard.h"

#include "host/host.h"
#include "resources/layouts/layouts.h"
#include "resources/texts.h"
#include "shell/module1.h"
#include "simulations/mouse_movement.h"

namespace simulations {

Frm8::Frm8(host::Host& host) : Page(host, resources::layouts::Frm8, 8)
{
    bind(host::Event::MouseMove, "Picture1", [this](int, const host::MouseArgs& a) {
        Picture1_MouseMove(a.button, a.shift, a.x, a.y);
    });
}

void Frm8::smallFontMoves(int afterStep)
{
    if (afterStep == 7) {
        control("Img3c").setLeft(7440);
        control("Img3c").setTop(120);
    }
}

void Frm8::buildText() { setText(resources::bodyFragments(number()).front()); }

void Frm8::afterText() { control("Picture1").setBackColor(host::RGB(0, 64, 128)); }

void Frm8::Picture1_MouseMove(int, int, float X, float Y)
{
    auto showBoard = [this](const char* source) { control("Imgmb").setPicture(control(source).picture()); };
    auto pause = [](bool& flag) {
        if (flag)
            return;
        shell::PauseFlag running(flag);
        for (int i = 1; i <= kSimulationPause; ++i)
            host::DoEvents();
    };

    control("Picmouse").setPicture(control("Imgmon").picture());
    control("Line2").setBorderColor(host::RGB(255, 0, 0));
    showBoard("Imgmb1");
    host::DoEvents();
    // The sprite moves only now, after one yield of the lit look at its old place.
    control("Picmouse").setLeft(X);
    control("Picmouse").setTop(Y);
    const float left = control("Picmouse").left();
    const float top = control("Picmouse").top();
    control("Line1").setX2(left + 360.0f);
    control("Line1").setY2(top);
    control("Line2").setX1(left + 362.0f);
    control("Line2").setY1(top);
    control("Line1").setY1(0);
    control("Line2").setY2(0);
    pause(shell::module().DelayRunning);
    showBoard("Imgmb2");
    host::DoEvents(); // the serial data shows for one yield only
    showBoard("Imgmb3");
    control("Picmouse").setPicture(control("Imgmi").picture());
    pause(shell::module().DelayRunning2);
    showBoard("Imgmb1");
    control("Line2").setBorderColor(host::RGB(192, 192, 192));
    host::DoEvents();
}

} // namespace simulations
