// What pages 6 and 8 share: the desk on which the mouse follows the pointer, and the
// length of the simulations' pauses.
#pragma once

#include "pages/page.h"

namespace simulations {

inline constexpr int kSimulationPause = 19000; // yields

class DeskPage : public pages::Page {
public:
    virtual void Picture1_MouseMove(int button, int shift, float X, float Y) = 0;
    // The arrow keys move a pointer of their own over the desk, 8 pixels a press (1 with
    // Shift), and each step is a move of the pointer there.
    void Picture1_KeyDown(int KeyCode, int Shift);
    void Picture1_GotFocus(); // the keys' pointer starts at the sprite's top-left corner

protected:
    DeskPage(host::WindowHost& host, const host::StoredWindow& layout, int number);
    // The desk's stored colour gives way to the one the mouse pictures are drawn on.
    void afterText() override;
    // What the desk shows now, in words; said as it changes.
    virtual QString describeLook() = 0;
    void controlChanged(const host::Control& control) override;
    bool lit(); // the sprite shows the lit board
    bool cableRed();
    // One pause guarded by its flag: skipped when a pause of that kind already runs.
    void pause(bool& running);
    // Puts the sprite's top-left corner at the pointer (no centring, no clamping) and the
    // given ends of the thick and the thin cable line on its top edge, 360 and 362 twips
    // from its left, reading the position back from the sprite.
    void moveMouse(float X, float Y, int thickEnd, int thinEnd);

    host::Ref<host::PictureBox> m_desk{*this, "Picture1"};
    host::Ref<host::PictureBox> m_mouse{*this, "Picmouse"};
    host::Ref<host::Image> m_litMouse{*this, "Imgmon"};   // the pictures the sprite takes
    host::Ref<host::Image> m_unlitMouse{*this, "Imgmi"};
    host::Ref<host::Line> m_thickCable{*this, "Line1"};
    host::Ref<host::Line> m_thinCable{*this, "Line2"};

private:
    float m_keyX = 0, m_keyY = 0;
    QString m_said;
    unsigned m_describing = 0; // the load whose looks are being said
};

} // namespace simulations
