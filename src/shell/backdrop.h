#pragma once

#include "host/form.h"

namespace shell {

// The full-screen backdrop; a click on it brings the current window back to the front.
class FrmBack : public host::Form {
public:
    explicit FrmBack(host::WindowHost& host);

protected:
    void Form_Load() override;

private:
    void Form_MouseDown();
};

} // namespace shell
