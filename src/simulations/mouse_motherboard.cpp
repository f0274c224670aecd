#include "simulations/mouse_motherboard.h"

#include "host/host.h"
#include "resources/layouts/layouts.h"
#include "resources/texts.h"
#include "shell/module1.h"

namespace simulations {

// The dots move after the exit button's step: this page has no forward button.
Frm8::Frm8(host::Host& host) : DeskPage(host, resources::layouts::Frm8, 8) {}

void Frm8::buildText() { setText(resources::bodyFragments(number()).front()); }

QString Frm8::describeLook()
{
    // The phases as the board, the mouse and the cable show them.
    const host::Picture board = control("Imgmb").picture();
    if (board == control("Imgmb2").picture())
        return QStringLiteral("Serial data from the mouse reaches the I/O controller.");
    if (board == control("Imgmb3").picture())
        return QStringLiteral("The I/O controller places the data on the system bus.");
    if (lit() && cableRed())
        return QStringLiteral("The mouse moved: its signal travels down the cable to the computer.");
    return QStringLiteral("Idle: the mouse is at rest and no data moves.");
}

void Frm8::showBoard(const char* source) { control("Imgmb").setPicture(control(source).picture()); }

void Frm8::Picture1_MouseMove(int, int, float X, float Y)
{
    control("Picmouse").setPicture(control("Imgmon").picture());
    control("Line2").setBorderColor(host::RGB(255, 0, 0));
    showBoard("Imgmb1");
    host::DoEvents();
    // The sprite moves only now, after one yield of the lit look at its old place.
    moveMouse(X, Y, 2, 1);
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
