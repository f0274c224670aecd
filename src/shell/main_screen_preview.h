#pragma once

#include "host/form.h"

namespace shell {

// Preview of the full edition's main screen; a click hides it.
class Form4 : public host::Form {
public:
    explicit Form4(host::Host& host);

protected:
    void Form_Load() override;
};

} // namespace shell
