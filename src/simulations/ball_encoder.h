#pragma once

#include "simulations/desk_page.h"

namespace simulations {

// Page 4: a click on the ball turns it and the shaft-encoder wheel beside it.
class Frm4 : public pages::Page {
public:
    explicit Frm4(host::Host& host);

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
    int m_turning = 0; // animations running, nested ones included
};

} // namespace simulations
