// The stored layouts of the program's fifteen windows, as compiled-in data.
#pragma once

#include "host/layout.h"

namespace resources::layouts {

extern const host::StoredWindow Form1, Form2, Form3, Form4, Form5, frmk0, FrmBack, Frm1, Frm2, Frm3,
    Frm4, Frm5, Frm6, Frm7, Frm8;

} // namespace resources::layouts
