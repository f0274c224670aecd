#include "simulations/mouse_motherboard.h"

#include "resources/layouts/layouts.h"
#include "resources/texts.h"
#include "shell/module1.h"

namespace simulations {

Frm8::Frm8(host::WindowHost& host) : DeskPage(host, resources::layouts::Frm8, 8) {}

void Frm8::buildText() { setText(resources::bodyFragments(number()).front()); }

QString Frm8::describeLook()
{
    // The phases as the board, the mouse and the cable show them.
    const host::Picture& board = m_board->picture();
    if (board == m_serialBoard->picture())
        return QStringLiteral("Serial data from the mouse reaches the I/O controller.");
    if (board == m_busBoard->picture())
        return QStringLiteral("The I/O controller places the data on the system bus.");
    if (lit() && cableRed())
        return QStringLiteral("The mouse moved: its signal travels down the cable to the computer.");
    return QStringLiteral("Idle: the mouse is at rest and no data moves.");
}

void Frm8::showBoard(const host::Ref<host::Image>& source) { m_board->setPicture(source->picture()); }

void Frm8::Picture1_MouseMove(int, int, float X, float Y)
{
    m_mouse->setPicture(m_litMouse->picture());
    m_thinCable->setBorderColor(host::RGB(255, 0, 0));
    showBoard(m_idleBoard);
    DoEvents();
    // The sprite moves only now, after one yield of the lit look at its old place.
    moveMouse(X, Y, 2, 1);
    m_thickCable->setY1(0);
    m_thinCable->setY2(0);
    pause(shell::module().DelayRunning);
    showBoard(m_serialBoard);
    DoEvents(); // the serial data shows for one yield only
    showBoard(m_busBoard);
    m_mouse->setPicture(m_unlitMouse->picture());
    pause(shell::module().DelayRunning2);
    showBoard(m_idleBoard);
    m_thinCable->setBorderColor(host::RGB(192, 192, 192));
    DoEvents();
}

} // namespace simulations
