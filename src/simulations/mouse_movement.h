#pragma once

#include "pages/page.h"

namespace simulations {

inline constexpr int kSimulationPause = 19000; // yields

// Page 6: the mouse follows the pointer over the desk while its cable lights up.
class Frm6 : public pages::Page {
public:
    explicit Frm6(host::Host& host);

    void Picture1_MouseMove(int button, int shift, float X, float Y);

protected:
    void smallFontMoves(int afterStep) override;
    void buildText() override;
    void afterText() override;
};

} // namespace simulations
