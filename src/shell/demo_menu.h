#pragma once

#include "host/form.h"

namespace shell {

// The demo menu: two previews, the chapter, the exit and the web link.
class Form3 : public host::Form {
public:
    explicit Form3(host::WindowHost& host);

    // The maker's site, handed to the desktop by the web link.
    static constexpr const char* kWebAddress = "http://www.tellisande.example/";

protected:
    void Form_Load() override;

private:
    void Command1_Click(int index);
    void Label2_Click();
};

} // namespace shell
