#include "resources/layouts/layouts.h"
#include "resources/layouts/page_frame.h"

namespace resources::layouts {
namespace {

constexpr std::uint32_t kLinkBlue = 0x0000FF;
constexpr host::StoredFont kLinkFont{.bold = true, .underline = true};

// Each button stands left of the label with the same index, which names it: a screen reader
// hears the name once, on the button. The web link comes last in the keyboard's order. The
// exit button shows the exit sphere on white; the other three show small pictures on the
// ordinary button face.
// The menu texts size themselves, so their stored widths only matter until they are drawn.
constexpr std::array kControls{
    StoredControl{.kind = Kind::PictureButton, .name = "Command1", .index = 3, .left = 2028,
                .top = 3132, .width = 492, .height = 492, .picture = "btn_exit",
                .backColour = kWhite, .tabIndex = 3, .labelledBy = "Label1"},
    StoredControl{.kind = Kind::PictureButton, .name = "Command1", .index = 2, .left = 2028,
                .top = 2532, .width = 492, .height = 492, .picture = "menu_mouse",
                .backColour = host::kButtonFace, .tabIndex = 2, .labelledBy = "Label1"},
    StoredControl{.kind = Kind::PictureButton, .name = "Command1", .index = 1, .left = 2028,
                .top = 1932, .width = 492, .height = 492, .picture = "program_icon",
                .backColour = host::kButtonFace, .tabIndex = 1, .labelledBy = "Label1"},
    StoredControl{.kind = Kind::PictureButton, .name = "Command1", .index = 0, .left = 2028,
                .top = 1332, .width = 492, .height = 492, .picture = "menu_orvane",
                .backColour = host::kButtonFace, .tabIndex = 0, .focus = true,
                .labelledBy = "Label1"},
    StoredControl{.kind = Kind::Label, .name = "Label2", .left = 2865, .top = 6120, .width = 3150,
                .height = 270, .caption = "www.tellisande.example", .font = kLinkFont,
                .foreColour = kLinkBlue, .transparent = true, .tabIndex = 4,
                .access = host::Access::Link},
    StoredControl{.kind = Kind::Label, .name = "Label1", .index = 4, .left = 1665, .top = 6135,
                .width = 1125, .height = 195, .caption = "Order now from ", .foreColour = kWhite,
                .transparent = true, .autoSize = true},
    StoredControl{.kind = Kind::Label, .name = "Label1", .index = 3, .left = 2628, .top = 3372,
                .width = 2460, .height = 192, .caption = "Exit Vantrel Demo",
                .foreColour = kWhite, .transparent = true, .autoSize = true,
                .access = host::Access::Hidden},
    StoredControl{.kind = Kind::Label, .name = "Label1", .index = 2, .left = 2628, .top = 2772,
                .width = 1152, .height = 192, .caption = "Mouse Program", .foreColour = kWhite,
                .transparent = true, .autoSize = true, .access = host::Access::Hidden},
    StoredControl{.kind = Kind::Label, .name = "Label1", .index = 1, .left = 2628, .top = 2172,
                .width = 2628, .height = 192, .caption = "Vantrel Main Screen",
                .foreColour = kWhite, .transparent = true, .autoSize = true,
                .access = host::Access::Hidden},
    StoredControl{.kind = Kind::Label, .name = "Label1", .index = 0, .left = 2628, .top = 1572,
                .width = 1728, .height = 192, .caption = "Orvane Screen", .foreColour = kWhite,
                .transparent = true, .autoSize = true, .access = host::Access::Hidden},
};

// The buttons and labels keep their places in both layouts.
// On a small-font display the load sets these, in this order.
constexpr auto kSmallFonts = sizeMoves(6570, 8760);

} // namespace

constinit const host::StoredWindow Form3{.name = "Form3", .title = "Vantrel Demo Menu",
                                     .width = 7335, .height = 7170, .backColour = kBlack,
                                     .picture = "menu_back", .controls = kControls,
                                     .smallFonts = kSmallFonts};

} // namespace resources::layouts
