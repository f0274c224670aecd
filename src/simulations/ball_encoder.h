#pragma once

#include "simulations/desk_page.h"

#include <array>

namespace simulations {

// Page 4: a click on the ball turns it and the shaft-encoder wheel beside it.
class Frm4 : public pages::Page {
public:
    explicit Frm4(host::WindowHost& host);

    static constexpr int kCycles = 20;
    static constexpr int kFramePause = 10000; // yields

    // No guard against re-entry: a click during a pause plays a whole animation inside it.
    void Imgballmain_Click(int index);

private:
    class Turning {
    public:
        explicit Turning(Frm4& page);
        ~Turning();
        Turning(const Turning&) = delete;
        Turning& operator=(const Turning&) = delete;

    private:
        Frm4& m_page;
    };
    using ImageRef = host::Ref<host::Image>;
    int m_turning = 0; // animations running, nested ones included
    ImageRef m_ball{*this, "Imgballmain", 3};
    ImageRef m_wheel{*this, "ImgDisk"};
    // The hidden frame holders the animation takes its pictures from.
    std::array<ImageRef, 3> m_ballFrames{{{*this, "Imgball", 0}, {*this, "Imgball", 1}, {*this, "Imgball", 2}}};
    std::array<ImageRef, 3> m_wheelFrames{{{*this, "ImgDisk1", 0}, {*this, "ImgDisk1", 1}, {*this, "ImgDisk1", 2}}};
};

} // namespace simulations
