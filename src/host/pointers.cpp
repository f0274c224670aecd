#include "host/pointers.h"

#include "host/picture.h"

#include <QPixmap>
#include <array>

namespace host {

namespace {

struct HandCursor {
    const char* asset;
    int hotX, hotY;
};

// Hot spots at the tip of the pointing finger of each drawing.
constexpr std::array<HandCursor, 4> kHands{{
    {"cursor_hand_down", 14, 30},
    {"cursor_hand_right", 30, 14},
    {"cursor_hand_left", 1, 14},
    {"cursor_hand_up", 14, 1},
}};

} // namespace

QCursor cursorFor(Pointer pointer)
{
    if (pointer == Pointer::Default)
        return QCursor(Qt::ArrowCursor);
    static std::array<QCursor, 4> made;
    static std::array<bool, 4> ready{};
    const auto i = size_t(pointer) - 1;
    if (!ready[i]) {
        const HandCursor& hand = kHands[i];
        made[i] = QCursor(QPixmap::fromImage(Picture::fromAsset(hand.asset).image()), hand.hotX, hand.hotY);
        ready[i] = true;
    }
    return made[i];
}

} // namespace host
