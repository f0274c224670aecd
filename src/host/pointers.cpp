#include "host/pointers.h"

#include "host/picture.h"

#include <QGuiApplication>
#include <QPixmap>
#include <array>
#include <cmath>
#include <map>

namespace host {

namespace {

struct HandCursor {
    const char* asset;
    int hotX, hotY;
};

// Hot spots at the tip of the pointing finger of each drawing, in its own pixels.
constexpr std::array<HandCursor, 4> kHands{{
    {"cursor_hand_down", 14, 30},
    {"cursor_hand_right", 30, 14},
    {"cursor_hand_left", 1, 14},
    {"cursor_hand_up", 14, 1},
}};

} // namespace

QCursor cursorFor(Pointer pointer, qreal devicePixelRatio)
{
    if (pointer == Pointer::Default)
        return QCursor(Qt::ArrowCursor);
    if (devicePixelRatio <= 0)
        devicePixelRatio = qApp->devicePixelRatio();
    static std::map<std::pair<Pointer, qreal>, QCursor> made;
    const auto key = std::make_pair(pointer, devicePixelRatio);
    if (auto it = made.find(key); it != made.end())
        return it->second;
    const HandCursor& hand = kHands[size_t(pointer) - 1];
    // Drawn at the screen's density. Qt's X11 backend reads the hot spot in the image's
    // device pixels, its Wayland backend in the cursor surface's logical ones.
    const qreal hotScale = QGuiApplication::platformName() == QLatin1String("xcb") ? devicePixelRatio : 1.0;
    const QCursor cursor(QPixmap::fromImage(Picture::fromAsset(hand.asset).image(devicePixelRatio)),
                         int(std::lround(hand.hotX * hotScale)), int(std::lround(hand.hotY * hotScale)));
    return made.emplace(key, cursor).first->second;
}

void setScreenMousePointer(int pointer)
{
    if (pointer == 0)
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
}

} // namespace host
