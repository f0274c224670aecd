#include "simulations/ball_encoder.h"

#include "resources/layouts/layouts.h"

#include <array>

namespace simulations {

Frm4::Frm4(host::WindowHost& host) : Page(host, resources::layouts::Frm4, 4)
{
    onClickIndexed("Imgballmain", [this](int index) {
        const Turning turning(*this);
        Imgballmain_Click(index);
    });
}

// Says when the ball starts to turn and when the last of its animations has ended; an
// animation nested in another's pause neither starts nor ends the turning.
Frm4::Turning::Turning(Frm4& page) : m_page(page)
{
    if (m_page.m_turning++ == 0)
        m_page.announce(*m_page.m_ball,
                        QStringLiteral("The ball is turning, and the shaft encoder wheel turns with it."));
}

Frm4::Turning::~Turning()
{
    if (--m_page.m_turning == 0 && m_page.isLoaded())
        m_page.announce(*m_page.m_ball, QStringLiteral("The ball has stopped."));
}

void Frm4::Imgballmain_Click(int)
{
    // Each frame: the ball's picture, then the wheel's.
    struct Frame {
        int ball, disk;
    };
    static constexpr std::array<Frame, 3> kFrames{{{1, 0}, {2, 1}, {0, 2}}};
    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        for (const Frame& frame : kFrames) {
            m_ball->setPicture(m_ballFrames[size_t(frame.ball)]->picture());
            m_wheel->setPicture(m_wheelFrames[size_t(frame.disk)]->picture());
            for (int i = 1; i <= kFramePause; ++i)
                DoEvents();
        }
    }
}

} // namespace simulations
