#include "resources/picture_texts.h"

#include <array>

namespace resources {
namespace {

constexpr std::array<PictureText, 50> kTexts{{
    // The front end's window pictures.
    {"splash", "Vantrel Demo",
     "An open PC tower case seen from the side, with the title Vantrel across it, Orvane below in green, "
     "the word DEMO, and the maker's name, Tellisande Software.",
     false},
    {"welcome", "Welcome to Vantrel",
     "Explore the inside of your computer: what every part is, what it does and how the parts work "
     "together. Orvane: a working simulation that shows data travelling between the parts of a PC. "
     "Technologies explained: a list of 24 topics, from the processor to keeping your PC safe.",
     false},
    {"menu_back", "Vantrel Demo Menu", "The tower case, darkened, behind the menu.", false},
    {"preview_main", "Vantrel main screen",
     "The full edition's main screen: the numbered titles of its 27 chapters in three columns, chapter 15 "
     "being Mouse, and an exit button.",
     false},
    {"preview_orvane", "Orvane screen",
     "A screenshot of the Orvane simulation: a menu of devices, a toolbar, and a window with a monitor "
     "showing a desktop, a keyboard and a motherboard.",
     false},
    {"menu_orvane", "Orvane", "A small screenshot of the Orvane window: a frame with a green board in it.", false},
    {"menu_mouse", "Mouse", "A light grey computer mouse.", false},
    {"program_icon", "Vantrel", "The program's icon: four purple key caps with the letters V, T, R and L.", false},
    {"maker_notice", "Copyright notice", "Copyright Tellisande Software 2026.", false},
    {"maker_logo", "Tellisande Software", "The maker's name, Tellisande Software, as grey lettering.", false},
    {"title_rule", "Rule", "A thin purple rule.", true},
    // The page frame.
    {"btn_for", "Next", "A purple glass button with a green triangle pointing right.", false},
    {"btn_for_lit", "Next", "The next button, lit.", false},
    {"btn_back", "Previous", "A purple glass button with a green triangle pointing left.", false},
    {"btn_back_lit", "Previous", "The previous button, lit.", false},
    {"btn_exit", "Exit", "A purple glass button with a half-open door.", false},
    {"btn_exit_lit", "Exit", "The exit button, lit.", false},
    {"btn_print", "Print", "A purple glass button with a printer.", false},
    {"btn_print_lit", "Print", "The print button, lit.", false},
    {"btn_info", "Information", "A purple glass button with the letter i.", false},
    {"btn_info_lit", "Information", "The information button, lit.", false},
    {"btn_close", "Close", "A purple glass button with the letter x.", false},
    {"btn_close_lit", "Close", "The close button, lit.", false},
    {"plate", "Plate", "A plain purple glass disc behind a number of the page counter.", true},
    {"page_rule", "Rule", "A thin purple rule.", true},
    {"thin_rule", "Rule", "A thin grey-violet rule between the two diagrams.", true},
    {"dots", "Dots", "Three glossy dots: red, green and blue.", true},
    {"cursor_hand_down", "Hand", "A white gloved hand pointing down.", true},
    {"cursor_hand_left", "Hand", "A white gloved hand pointing left.", true},
    {"cursor_hand_right", "Hand", "A white gloved hand pointing right.", true},
    {"cursor_hand_up", "Hand", "A white gloved hand pointing up.", true},
    // The pages.
    {"mouse_top", "Mouse", "A two-button mouse with a scroll wheel, seen from above, its cable leaving the top.",
     false},
    {"screen_pointer", "Screen pointer", "The arrow pointer that the mouse moves on the screen.", false},
    {"mouse_labelled", "The mouse from above",
     "The mouse seen from above, with its left button, its wheel and its right button labelled.", false},
    {"mouse_section", "A cut through the mouse",
     "A cut through the mouse's base: the lower half of the rubber ball stands through an opening in the "
     "base onto the surface below. Labelled Base and Ball.",
     false},
    {"mouse_inside", "Inside the mouse",
     "The mouse opened from above: its green circuit board with the ball, the rollers the ball turns, the "
     "shaft encoders, a light sensor, the wheel and a switch, each labelled.",
     false},
    {"disk0", "Shaft encoder wheel", "A dark grey disc with a black hub and eight slots; the top slot is lit yellow.",
     false},
    {"disk1", "Shaft encoder wheel", "The encoder wheel turned part of the way to its next slot; no slot is lit.",
     false},
    {"disk2", "Shaft encoder wheel", "The encoder wheel turned further; no slot is lit.", false},
    {"ball0", "Mouse ball", "The grey rubber ball of the mouse, lit from the left.", false},
    {"ball1", "Mouse ball", "The ball, turned: lit from the top.", false},
    {"ball2", "Mouse ball", "The ball, turned further: lit from the bottom.", false},
    {"movement_horizontal", "Horizontal movement",
     "What happens when the mouse moves from side to side: the ball turns a roller whose slotted shaft "
     "encoder passes between a light source and light sensors; each slot lets the light through, and the "
     "sensors send a low voltage signal to the chip decoder.",
     false},
    {"movement_vertical", "Vertical movement",
     "What happens when the mouse moves up and down: the other roller turns its shaft encoder between a "
     "light source and a light sensor, which sends a low voltage signal; the chip turns it into the output "
     "signal.",
     false},
    {"board_unlit", "The mouse's circuit board",
     "The mouse opened from above: the ball on its two rollers, each roller's slotted disc between a light "
     "source and a light sensor, the chip, the two switches and the wheel, the cable leaving at the top.",
     false},
    {"board_lit", "The mouse's circuit board, working",
     "The mouse at work: its light sources shine through the slots of the turning discs onto the sensors, "
     "and the signal runs in red from the sensors through the chip to the cable.",
     false},
    {"motherboard_labelled", "Motherboard",
     "A motherboard seen from above, with its mouse input, video card and I/O controller chip labelled.", false},
    {"mb_plain", "Motherboard", "The motherboard seen from above, the mouse connector at its top left; no data moves.",
     false},
    {"mb_serial", "Motherboard: serial data",
     "A red line runs from the mouse connector along the top of the motherboard and down its right edge to "
     "the I/O controller chip: the mouse's serial data reaching the controller.",
     false},
    {"mb_bus", "Motherboard: the system bus",
     "Red bus traces run from the I/O controller chip through the chipset to the processor socket and the "
     "memory slots: the data on the system bus.",
     false},
}};

} // namespace

std::span<const PictureText> pictureTexts() { return kTexts; }

const PictureText* pictureText(std::string_view asset)
{
    for (const PictureText& t : kTexts)
        if (asset == t.asset)
            return &t;
    return nullptr;
}

} // namespace resources
