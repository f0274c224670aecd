#pragma once

#include "host/form.h"

namespace shell {

// Preview of the Orvane simulation with its blurb; a click outside the blurb hides it.
class Form5 : public host::Form {
public:
    explicit Form5(host::Host& host);

protected:
    void Form_Load() override;
};

} // namespace shell
