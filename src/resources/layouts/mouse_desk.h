// The controls inside the desk box that pages 6 and 8 share: the mouse sprite, its two
// hidden picture holders and the two cable lines. Coordinates are relative to the box.
#pragma once

#include "resources/layouts/page_frame.h"

namespace resources::layouts {

inline constexpr const char* kDesk = "Picture1";

// Sizes itself to its picture, as the images do.
inline constexpr StoredControl kPicmouse{
    .kind = Kind::PictureBox, .name = "Picmouse", .container = kDesk, .left = 1464, .top = 972,
    .width = 900, .height = 1365, .picture = "board_unlit", .autoSize = true,
    .pointer = Pointer::HandUp};
inline constexpr StoredControl kImgmi{
    .kind = Kind::Image, .name = "Imgmi", .container = kDesk, .left = 390, .top = 1980,
    .width = 900, .height = 1365, .picture = "board_unlit", .visible = false};
inline constexpr StoredControl kImgmon{
    .kind = Kind::Image, .name = "Imgmon", .container = kDesk, .left = 3000, .top = 690,
    .width = 900, .height = 1365, .picture = "board_lit", .visible = false};
// The upper ends lie above the box's top edge, so the cable is cut off there.
inline constexpr StoredControl kCableThin{
    .kind = Kind::Line, .name = "Line2", .container = kDesk, .x1 = 1836, .y1 = -1236,
    .x2 = 1836, .y2 = 1008, .foreColour = kCableSilver};
inline constexpr StoredControl kCableThick{
    .kind = Kind::Line, .name = "Line1", .container = kDesk, .x1 = 1848, .y1 = 984, .x2 = 1848,
    .y2 = -1248, .foreColour = kCableGrey, .lineWidth = kThickLine};

// The desk takes the keyboard: the arrow keys move the mouse on it as the pointer does.
inline constexpr const char* kDeskName = "Desk";
inline constexpr const char* kDeskUse =
    "The desk on which the mouse moves. Arrow keys move the mouse, 8 pixels a press, 1 with Shift; "
    "the pointer moves it too.";

} // namespace resources::layouts
