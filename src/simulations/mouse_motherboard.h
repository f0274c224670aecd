#pragma once

#include "pages/page.h"

namespace simulations {

// Page 8: the mouse follows the pointer, then the motherboard shows the data running
// from the mouse port to the I/O controller and onto the system bus.
class Frm8 : public pages::Page {
public:
    explicit Frm8(host::Host& host);

    void Picture1_MouseMove(int button, int shift, float X, float Y);

protected:
    void smallFontMoves(int afterStep) override;
    void buildText() override;
    void afterText() override;
};

} // namespace simulations
