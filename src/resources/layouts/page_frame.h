// The frame that all eight page windows share, written once and composed by each page.
//
// A page's control list is its own controls and this frame joined in front-to-back order;
// `concat` joins constexpr arrays so that every list stays compile-time data.
#pragma once

#include "host/layout.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace resources::layouts {

using host::Align;
using host::StoredControl;
using host::Kind;
using host::Pointer;

inline constexpr host::StoredFont kTimes75{.family = "Times New Roman", .points = 7.5f};
inline constexpr host::StoredFont kTimes12{.family = "Times New Roman", .points = 12.0f};
inline constexpr host::StoredFont kTimes225{.family = "Times New Roman", .points = 22.5f};

inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kCableGrey = 0x808080;   // thick outer cable line
inline constexpr std::uint32_t kCableSilver = 0xC0C0C0; // thin inner strand in the simulations
inline constexpr std::uint32_t kCableLight = 0xE0E0E0;  // thin inner strand on the still pictures
inline constexpr std::uint32_t kCounterOf = 0x8080FF;
inline constexpr int kThickLine = 4;

inline constexpr float kPageWidth = 7815;
inline constexpr float kPageHeight = 5040;
inline constexpr const char* kPageCount = "8";

// Joins arrays of controls, keeping their order; earlier arguments lie in front.
template <std::size_t... N>
constexpr auto concat(const std::array<StoredControl, N>&... parts)
{
    std::array<StoredControl, (N + ... + 0)> all{};
    auto* out = all.begin();
    ((out = std::copy(parts.begin(), parts.end(), out)), ...);
    return all;
}

// Where the page's body text box sits and its place in the keyboard order.
struct TextBox {
    float left = 636, top = 516, width = 2496, height = 3492;
    int tabIndex = 0;
};

// The frame controls of one page: the back button exists on pages 2 to 8 and the forward
// button on pages 1 to 7, so the two flags fix the array's size at compile time. The counter
// ("Page 4 of 8") is what a screen reader says for the three counter labels. The buttons
// come after the page's own controls in the keyboard order, left to right.
template <bool HasBack, bool HasFor>
constexpr auto pageFrame(const char* number, const char* heading, TextBox text, const char* counter)
{
    std::array<StoredControl, 12 + int(HasBack) + int(HasFor)> c{};
    std::size_t n = 0;
    c[n++] = {.kind = Kind::RichTextBox, .name = "Rtb1", .left = text.left, .top = text.top,
              .width = text.width, .height = text.height, .font = host::kTimes9,
              .tabIndex = text.tabIndex, .accessibleName = "Page text"};
    c[n++] = {.kind = Kind::PrintDialog, .name = "dlog5"};
    c[n++] = {.kind = Kind::Label, .name = "Lblheader", .left = 2136, .top = 84, .width = 3576,
              .height = 252, .caption = heading, .font = kTimes12, .transparent = true,
              .align = Align::Center, .access = host::Access::Heading};
    c[n++] = {.kind = Kind::Label, .name = "Lblpn", .index = 0, .left = 1356, .top = 4632,
              .width = 192, .height = 204, .caption = number, .font = kTimes75,
              .foreColour = kWhite, .transparent = true, .accessibleName = counter};
    c[n++] = {.kind = Kind::Label, .name = "Lblpn", .index = 2, .left = 2010, .top = 4632,
              .width = 192, .height = 204, .caption = kPageCount, .font = kTimes75,
              .foreColour = kWhite, .transparent = true, .access = host::Access::Hidden};
    c[n++] = {.kind = Kind::Label, .name = "Lblof", .index = 1, .left = 1644, .top = 4632,
              .width = 156, .height = 204, .caption = "of", .font = kTimes75,
              .foreColour = kCounterOf, .transparent = true, .access = host::Access::Hidden};
    if constexpr (HasBack)
        c[n++] = {.kind = Kind::Image, .name = "ImgBack", .left = 390, .top = 4170, .width = 570,
                  .height = 570, .picture = "btn_back", .toolTip = "Previous",
                  .pointer = Pointer::HandLeft, .tabIndex = 10, .accessibleName = "Previous page"};
    c[n++] = {.kind = Kind::Image, .name = "ImgExit", .left = 3735, .top = 4170, .width = 570,
              .height = 570, .picture = "btn_exit", .toolTip = "Exit",
              .pointer = Pointer::HandDown, .tabIndex = 11, .accessibleName = "Exit"};
    if constexpr (HasFor)
        c[n++] = {.kind = Kind::Image, .name = "ImgFor", .left = 7005, .top = 4170, .width = 570,
                  .height = 570, .picture = "btn_for", .toolTip = "Next",
                  .pointer = Pointer::HandRight, .tabIndex = 13, .accessibleName = "Next page"};
    c[n++] = {.kind = Kind::Image, .name = "ImgPrint", .left = 6075, .top = 4500, .width = 570,
              .height = 570, .picture = "btn_print", .toolTip = "Print",
              .pointer = Pointer::HandDown, .tabIndex = 12, .accessibleName = "Print this page"};
    c[n++] = {.kind = Kind::Image, .name = "Imgbar", .index = 1, .left = 690, .top = 375,
              .width = 8040, .height = 30, .picture = "page_rule"};
    c[n++] = {.kind = Kind::Image, .name = "Imgbar", .index = 0, .left = 690, .top = 4410,
              .width = 8040, .height = 30, .picture = "page_rule"};
    c[n++] = {.kind = Kind::Image, .name = "ImgEP", .index = 1, .left = 1815, .top = 4500,
              .width = 570, .height = 570, .picture = "plate"};
    c[n++] = {.kind = Kind::Image, .name = "ImgPN", .index = 0, .left = 1155, .top = 4500,
              .width = 570, .height = 570, .picture = "plate"};
    return c;
}

// The three dots in the top right corner of the simulation pages.
inline constexpr StoredControl kDots{.kind = Kind::Image, .name = "Img3c", .left = 6495, .top = 150,
                                   .width = 780, .height = 240, .picture = "dots"};

// A page window's own properties; only the controls and the title differ between pages.
constexpr host::StoredWindow pageForm(const char* name, const char* title,
                                  std::span<const StoredControl> controls)
{
    return {.name = name, .title = title, .width = kPageWidth, .height = kPageHeight,
            .backColour = kWhite, .controls = controls};
}

} // namespace resources::layouts
