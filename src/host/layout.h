// Stored window layouts: plain data, compiled in, never parsed.
//
// A layout holds what a window and its controls look like when the window loads:
// controls in front-to-back order, geometry in twips, captions, fonts, colours and
// pictures. It never names handlers or holds logic; the window classes bind those.
#pragma once

#include <cstdint>
#include <span>

namespace host {

enum class Kind : std::uint8_t {
    Image,
    Label,
    Line,
    PictureBox,
    RichTextBox,
    PictureButton,
    Timer,
    PictureList,
    PrintDialog,
};

enum class Pointer : std::uint8_t { Default, HandDown, HandRight, HandLeft, HandUp };

enum class Align : std::uint8_t { Left, Center, Right };

// What a control is to assistive technology, beyond what its kind says.
enum class Access : std::uint8_t {
    Default, // a label is text, an image a picture (or a button when it takes clicks)
    Heading, // a label that heads its window
    Link,    // a label that opens a web address
    Hidden,  // said as part of another control, or pure decoration
};

struct StoredFont {
    const char* family = "MS Sans Serif";
    float points = 8.25f;
    bool bold = false;
    bool underline = false;
};

// Colours in layouts are written 0xRRGGBB, as a person reads them (#RRGGBB).
inline constexpr std::uint32_t kWindowColour = 0xFFFFFF;
inline constexpr std::uint32_t kButtonText = 0x000000;
inline constexpr std::uint32_t kButtonFace = 0xF0F0F0;

inline constexpr StoredFont kTimes9{.family = "Times New Roman", .points = 9.0f};

// One control. Fields keep this order, because designated initialisers must follow it.
struct StoredControl {
    Kind kind = Kind::Image;
    const char* name = nullptr;
    int index = -1;                  // element of a control array; -1 when not in an array
    const char* container = nullptr; // the picture box holding it; null for the window itself
    float left = 0, top = 0, width = 0, height = 0;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0; // lines only
    const char* caption = nullptr;         // labels
    const char* picture = nullptr;         // asset name of the picture shown, if any
    StoredFont font{};
    std::uint32_t foreColour = kButtonText; // label text, line colour
    std::uint32_t backColour = kWindowColour; // also a picture button's face
    bool transparent = false; // labels: only the text is drawn
    Align align = Align::Left;
    bool wordWrap = false;
    bool autoSize = false; // labels size themselves to their text, picture boxes to their picture
    bool visible = true;
    bool border = false; // picture boxes: the standard single border
    int lineWidth = 1;   // lines, in pixels
    const char* toolTip = nullptr;
    Pointer pointer = Pointer::Default;
    int interval = 0;   // timers, milliseconds
    bool enabled = true; // timers: running from the load
    int tabIndex = -1; // keyboard order among focusable controls; -1 when not focusable
    bool focus = false; // holds the keyboard focus when the window opens
    // For assistive technology: a name where the caption, the tooltip or the picture does
    // not say it, a description of what it is and how it is used, and how it is seen.
    const char* accessibleName = nullptr;
    const char* description = nullptr;
    const char* labelledBy = nullptr; // a label of the same index names it (a menu button)
    Access access = Access::Default;
};

// A value that a window's load sets on a display of 105 pixels per inch or fewer: the
// layout for small fonts, as fixed numbers, nothing scaled or computed.
enum class Property : std::uint8_t { Left, Top, Width, Height, X1, Y1, X2, Y2 };
struct StoredMove {
    const char* control = nullptr; // nullptr: the window itself
    int index = -1;
    Property property = Property::Left;
    float value = 0;
};

struct StoredWindow {
    const char* name = nullptr;
    const char* title = nullptr; // for task switchers and screen readers
    float width = 0, height = 0; // client area, twips
    std::uint32_t backColour = kWindowColour;
    const char* picture = nullptr; // window picture drawn at the top-left corner
    bool maximized = false;
    const char* icon = nullptr;
    std::span<const StoredControl> controls; // front to back
    std::span<const StoredMove> smallFonts;  // set in this order at load on a small-font display
};

} // namespace host
