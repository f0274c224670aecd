#include "simulations/desk_page.h"

#include "shell/module1.h"

namespace simulations {

DeskPage::DeskPage(host::WindowHost& host, const host::StoredWindow& layout, int number)
    : Page(host, layout, number)
{
    bind(host::Event::MouseMove, "Picture1", [this](int, const host::MouseArgs& a) {
        Picture1_MouseMove(a.button, a.shift, a.x, a.y);
    });
    bind(host::Event::KeyDown, "Picture1",
         [this](int, const host::MouseArgs& a) { Picture1_KeyDown(a.keyCode, a.shift); });
    bind(host::Event::GotFocus, "Picture1", [this](int, const host::MouseArgs&) { Picture1_GotFocus(); });
}

void DeskPage::afterText()
{
    m_desk->setBackColor(host::RGB(0, 64, 128));
    // From here on what the desk shows is said as it changes; the look at load is not news.
    m_said = describeLook();
    m_describing = generation();
}

void DeskPage::Picture1_GotFocus()
{
    m_keyX = m_mouse->left();
    m_keyY = m_mouse->top();
}

void DeskPage::Picture1_KeyDown(int KeyCode, int Shift)
{
    const float step = ((Shift & 1) ? 1.0f : 8.0f) * twipsPerPixel();
    switch (KeyCode) {
    case 37: m_keyX -= step; break;
    case 38: m_keyY -= step; break;
    case 39: m_keyX += step; break;
    case 40: m_keyY += step; break;
    default: return;
    }
    raiseEvent(host::Event::MouseMove, "Picture1", -1, host::MouseArgs{.shift = Shift, .x = m_keyX, .y = m_keyY});
}

bool DeskPage::lit() { return m_mouse->picture() == m_litMouse->picture(); }

bool DeskPage::cableRed() { return m_thinCable->borderColor() == host::RGB(255, 0, 0); }

void DeskPage::controlChanged(const host::Control&)
{
    if (!isLoaded() || m_describing != generation())
        return;
    const QString look = describeLook();
    if (look == m_said)
        return;
    m_said = look;
    announce(*m_desk, look);
}

void DeskPage::moveMouse(float X, float Y, int thickEnd, int thinEnd)
{
    host::PictureBox& mouse = *m_mouse;
    mouse.setLeft(X);
    mouse.setTop(Y);
    auto setEnd = [](host::Line& line, int end, float x, float y) {
        if (end == 1) {
            line.setX1(x);
            line.setY1(y);
        } else {
            line.setX2(x);
            line.setY2(y);
        }
    };
    setEnd(*m_thickCable, thickEnd, mouse.left() + 360.0f, mouse.top());
    setEnd(*m_thinCable, thinEnd, mouse.left() + 362.0f, mouse.top());
}

void DeskPage::pause(bool& running)
{
    if (running)
        return;
    shell::PauseFlag flag(running);
    for (int i = 1; i <= kSimulationPause; ++i)
        DoEvents();
}

} // namespace simulations
