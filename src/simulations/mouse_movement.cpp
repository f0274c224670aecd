#include "simulations/mouse_movement.h"

#include "resources/layouts/layouts.h"
#include "resources/texts.h"
#include "shell/module1.h"

namespace simulations {

Frm6::Frm6(host::WindowHost& host) : DeskPage(host, resources::layouts::Frm6, 6) {}

void Frm6::buildText()
{
    for (std::string_view fragment : resources::bodyFragments(number()))
        appendText(fragment);
}

QString Frm6::describeLook()
{
    if (lit() && cableRed())
        return QStringLiteral("The mouse moved: its shaft encoders turn, and a signal travels down the cable.");
    return QStringLiteral("The signal has arrived at the computer. The mouse is at rest.");
}

void Frm6::Picture1_MouseMove(int, int, float X, float Y)
{
    m_mouse->setPicture(m_litMouse->picture());
    m_thinCable->setBorderColor(host::RGB(255, 0, 0));
    moveMouse(X, Y, 1, 2);
    pause(shell::module().DelayRunning);
    DoEvents();
    m_mouse->setPicture(m_unlitMouse->picture());
    m_thinCable->setBorderColor(host::RGB(192, 192, 192));
    DoEvents();
}

} // namespace simulations
