#pragma once

#include "simulations/desk_page.h"

namespace simulations {

// Page 6: the mouse follows the pointer over the desk while its cable lights up.
class Frm6 : public DeskPage {
public:
    explicit Frm6(host::WindowHost& host);

    void Picture1_MouseMove(int button, int shift, float X, float Y) override;

protected:
    void buildText() override;
    QString describeLook() override;
};

} // namespace simulations
