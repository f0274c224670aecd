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
#include <string_view>

namespace resources::layouts {

using host::Align;
using host::StoredControl;
using host::Kind;
using host::Pointer;
using host::Property;
using host::StoredMove;

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
inline constexpr int kPageCount = 8;

// The one place that says which buttons a page has: the page windows' layouts follow it,
// and the pages read their buttons from their layouts.
constexpr bool hasBack(int page) { return page > 1; }
constexpr bool hasForward(int page) { return page < kPageCount; }

// Joins arrays of controls (or of small-font values), keeping their order; for controls,
// earlier arguments lie in front.
template <typename T, std::size_t... N>
constexpr auto concat(const std::array<T, N>&... parts)
{
    std::array<T, (N + ... + 0)> all{};
    auto* out = all.begin();
    ((out = std::copy(parts.begin(), parts.end(), out)), ...);
    return all;
}

// Where the page's body text box sits and its place in the keyboard order.
struct TextBox {
    float left = 636, top = 516, width = 2496, height = 3492;
    int tabIndex = 0;
};

// What differs between the pages' counters, page by page.
inline constexpr std::array<const char*, kPageCount> kNumbers{"1", "2", "3", "4", "5", "6", "7", "8"};
inline constexpr std::array<const char*, kPageCount> kCounters{"Page 1 of 8", "Page 2 of 8", "Page 3 of 8",
                                                                "Page 4 of 8", "Page 5 of 8", "Page 6 of 8",
                                                                "Page 7 of 8", "Page 8 of 8"};

// The frame controls of one page; the buttons it has fix the array's size at compile time.
// The counter ("Page 4 of 8") is what a screen reader says for the three counter labels.
// The buttons come after the page's own controls in the keyboard order, left to right.
template <int Page>
constexpr auto pageFrame(const char* heading, TextBox text)
{
    constexpr bool HasBack = hasBack(Page), HasFor = hasForward(Page);
    const char* number = kNumbers[Page - 1];
    const char* counter = kCounters[Page - 1];
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
              .width = 192, .height = 204, .caption = kNumbers[kPageCount - 1], .font = kTimes75,
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

// A window's small-font size, height first as the loads set it.
constexpr std::array<StoredMove, 2> sizeMoves(float height, float width)
{
    return {StoredMove{nullptr, -1, Property::Height, height}, StoredMove{nullptr, -1, Property::Width, width}};
}

// A control's small-font place, left first.
constexpr std::array<StoredMove, 2> placeMoves(const char* control, int index, float left, float top)
{
    return {StoredMove{control, index, Property::Left, left}, StoredMove{control, index, Property::Top, top}};
}

// Where the frame's controls go on a small-font display; every page sets the same values.
inline constexpr auto kFrameSmallFonts = concat(
    std::array{StoredMove{"Lblheader", -1, Property::Top, 60}, StoredMove{"Lblheader", -1, Property::Left, 2850}},
    sizeMoves(6030, 9120), placeMoves("ImgBack", -1, 390, 4905), placeMoves("Imgbar", 0, 690, 5190),
    placeMoves("Imgbar", 1, 690, 375),
    std::array{StoredMove{"ImgEP", 1, Property::Top, 5280}, StoredMove{"ImgEP", 1, Property::Left, 1980}},
    placeMoves("ImgExit", -1, 4395, 4905), placeMoves("ImgFor", -1, 8160, 4905), placeMoves("ImgPN", 0, 1155, 5280),
    placeMoves("ImgPrint", -1, 7290, 5280), placeMoves("Lblof", 1, 1800, 5445), placeMoves("Lblpn", 0, 1410, 5445),
    placeMoves("Lblpn", 2, 2205, 5445),
    std::array{StoredMove{"Rtb1", -1, Property::Height, 4380}, StoredMove{"Rtb1", -1, Property::Width, 2490}},
    placeMoves("Rtb1", -1, 630, 510));

// The frame's small-font values for one page, then the page's own: without the buttons
// the page lacks, and on the last page without the text box, which keeps its place.
template <int Page, std::size_t N = 0>
constexpr auto pageSmallFonts(const std::array<StoredMove, N>& own = {})
{
    constexpr auto keeps = [](const StoredMove& m) {
        const std::string_view c = m.control ? m.control : "";
        return (c != "ImgBack" || hasBack(Page)) && (c != "ImgFor" || hasForward(Page)) &&
               (c != "Rtb1" || Page < kPageCount);
    };
    constexpr std::size_t kept = std::size_t(std::count_if(kFrameSmallFonts.begin(), kFrameSmallFonts.end(), keeps));
    std::array<StoredMove, kept> frame{};
    std::copy_if(kFrameSmallFonts.begin(), kFrameSmallFonts.end(), frame.begin(), keeps);
    return concat(frame, own);
}

// The dots' small-font place on the simulation pages.
inline constexpr auto kDotsSmallFonts = placeMoves("Img3c", -1, 7440, 120);

// A page window's own properties; only the controls, the title and the small-font values
// differ between pages.
constexpr host::StoredWindow pageForm(const char* name, const char* title, std::span<const StoredControl> controls,
                                      std::span<const StoredMove> smallFonts)
{
    return {.name = name, .title = title, .width = kPageWidth, .height = kPageHeight,
            .backColour = kWhite, .controls = controls, .smallFonts = smallFonts};
}

} // namespace resources::layouts
