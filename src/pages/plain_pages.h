// The pages without behaviour of their own beyond the frame and their text.
#pragma once

#include "pages/page.h"

namespace pages {

// Page 1: the mouse and the screen pointer; moves its little diagram on small-font displays.
class Frm1 : public Page {
public:
    explicit Frm1(host::Host& host);
};

// Page 2: the switches and the wheel.
class Frm2 : public Page {
public:
    explicit Frm2(host::Host& host);
};

// Page 3: the inside of the mouse.
class Frm3 : public Page {
public:
    explicit Frm3(host::Host& host);
};

// Page 5: the two movement diagrams; moves the rule between them on small-font displays.
class Frm5 : public Page {
public:
    explicit Frm5(host::Host& host);
};

// Page 7: the mouse and the motherboard.
class Frm7 : public Page {
public:
    explicit Frm7(host::Host& host);
};

} // namespace pages
