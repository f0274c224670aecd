#include "simulations/desk_page.h"

#include "host/host.h"
#include "shell/module1.h"

namespace simulations {

DeskPage::DeskPage(host::Host& host, const host::StoredWindow& layout, int number, std::span<const shell::StepMove> moves)
    : Page(host, layout, number, moves)
{
    bind(host::Event::MouseMove, "Picture1", [this](int, const host::MouseArgs& a) {
        Picture1_MouseMove(a.button, a.shift, a.x, a.y);
    });
}

void DeskPage::afterText() { control("Picture1").setBackColor(host::RGB(0, 64, 128)); }

void DeskPage::moveMouse(float X, float Y, int thickEnd, int thinEnd)
{
    host::Control& mouse = control("Picmouse");
    mouse.setLeft(X);
    mouse.setTop(Y);
    auto setEnd = [](host::Control& line, int end, float x, float y) {
        if (end == 1) {
            line.setX1(x);
            line.setY1(y);
        } else {
            line.setX2(x);
            line.setY2(y);
        }
    };
    setEnd(control("Line1"), thickEnd, mouse.left() + 360.0f, mouse.top());
    setEnd(control("Line2"), thinEnd, mouse.left() + 362.0f, mouse.top());
}

void DeskPage::pause(bool& running)
{
    if (running)
        return;
    shell::PauseFlag flag(running);
    for (int i = 1; i <= kSimulationPause; ++i)
        host::DoEvents();
}

} // namespace simulations
