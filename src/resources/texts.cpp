#include "resources/texts.h"

#include <array>

namespace resources {
namespace {

using namespace std::string_view_literals;

constexpr std::array kPage1{
    " The mouse is designed to move the pointer on screen. "sv,
    "Moving the screen pointer is intuitive, because the pointer moves in step with your own "
    "hand."sv,
    "The mouse as a pointing device comes in handy because it is quick and easy to use."sv,
    "Inside the mouse is a rubber ball that protrudes slightly below its base."sv,
    "The ball rotates when in contact with a flat surface such as a mouse mat, and the "
    "computer turns those movements into positions for the screen pointer."sv,
};

constexpr std::array kPage2{
    " The switches on top enable programs to be run and menu items to be selected. Click the "
    "left button while the pointer is over a desktop icon or a menu item and the program "
    "behind it is launched."sv,
    "The right mouse button opens menus. Once the wheel has been pressed down, it scrolls the "
    "page up, down, left and right as you move the mouse on the desk."sv,
};

constexpr std::array kPage3{
    " Protruding from underneath the mouse is part of a rubber ball, which rotates as the "
    "mouse slides over a surface."sv,
    "Inside the mouse the grey cylindrical ball rollers press lightly against the ball. As the "
    "ball turns it turns the two rollers on their shafts: one measures up-and-down movement, "
    "the other left-and-right movement. When the mouse moves at an angle, both turn at once."sv,
};

constexpr std::array kPage4{
    " Each shaft has a perforated disk on one end, called a shaft encoder. As the mouse "
    "moves, the ball turns the shafts and the disks turn with them. A tiny light shines at "
    "each disk, and every time a perforation passes, the light shines through it. On the "
    "other side a light sensor picks up the flash and produces a low voltage when it detects "
    "light, so the pulses show how far the shaft has turned.  "sv,
    "The light sensor is connected to a chip. "sv,
    " This happens each time the mouse is moved. A quick movement produces many pulses in a "
    "short time, and the chip sends the signal along the cable to the computer."sv,
};

constexpr std::array kPage5{
    "These two diagrams show what happens each time the mouse is moved."sv,
};

constexpr std::array kPage6{
    " In this simulation moving the mouse shows the shaft encoders working and data "
    "crossing the circuit board."sv,
};

constexpr std::array kPage7{
    "Inside the computer the I/O controller reads the signals coming from the mouse, and the "
    "operating system turns them into a new position for the pointer."sv,
    "The Video card (also known as the graphics card or display adapter) holds the picture "
    "you see in its own memory. Every time the mouse moves, that memory is updated so that "
    "the pointer is drawn at its new position on the screen."sv,
};

constexpr std::array kPage8{
    "When the mouse moves data is sent into the computer. The I/O controller receives this "
    "serial data and then places it onto the system bus."sv,
};

constexpr std::array<std::span<const std::string_view>, 8> kPages{
    kPage1, kPage2, kPage3, kPage4, kPage5, kPage6, kPage7, kPage8,
};

} // namespace

std::span<const std::string_view> bodyFragments(int page)
{
    if (page < 1 || page > static_cast<int>(kPages.size()))
        return {};
    return kPages[static_cast<std::size_t>(page - 1)];
}

} // namespace resources
