#pragma once

#include "simulations/desk_page.h"

namespace simulations {

// Page 8: the mouse follows the pointer, then the motherboard shows the data running
// from the mouse port to the I/O controller and onto the system bus.
class Frm8 : public DeskPage {
public:
    explicit Frm8(host::Host& host);

    void Picture1_MouseMove(int button, int shift, float X, float Y) override;

protected:
    void buildText() override;
    QString describeLook() override;

private:
    void showBoard(const char* source);
};

} // namespace simulations
