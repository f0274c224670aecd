#pragma once

#include "host/form.h"

namespace shell {

// The welcome picture with its start button.
class Form2 : public host::Form {
public:
    explicit Form2(host::WindowHost& host);

protected:
    void Form_Load() override;

private:
    void Command1_Click();
};

} // namespace shell
