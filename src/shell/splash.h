#pragma once

#include "host/form.h"

namespace shell {

// The splash: hands over to the welcome window after three seconds or at a click.
class Form1 : public host::Form {
public:
    explicit Form1(host::WindowHost& host);

protected:
    void Form_Load() override;

private:
    void Timer1_Timer();
    void Form_Click();
};

} // namespace shell
