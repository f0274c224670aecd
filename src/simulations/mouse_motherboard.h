#pragma once

#include "simulations/desk_page.h"

namespace simulations {

// Page 8: the mouse follows the pointer, then the motherboard shows the data running
// from the mouse port to the I/O controller and onto the system bus.
class Frm8 : public DeskPage {
public:
    explicit Frm8(host::WindowHost& host);

    void Picture1_MouseMove(int button, int shift, float X, float Y) override;

protected:
    void buildText() override;
    QString describeLook() override;

private:
    void showBoard(const host::Ref<host::Image>& source);

    host::Ref<host::Image> m_board{*this, "Imgmb"}; // shows one of the three below
    host::Ref<host::Image> m_idleBoard{*this, "Imgmb1"};
    host::Ref<host::Image> m_serialBoard{*this, "Imgmb2"};
    host::Ref<host::Image> m_busBoard{*this, "Imgmb3"};
};

} // namespace simulations
