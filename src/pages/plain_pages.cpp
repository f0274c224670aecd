#include "pages/plain_pages.h"

#include "resources/layouts/layouts.h"

namespace pages {

Frm1::Frm1(host::Host& host) : Page(host, resources::layouts::Frm1, 1) {}

Frm2::Frm2(host::Host& host) : Page(host, resources::layouts::Frm2, 2) {}

Frm3::Frm3(host::Host& host) : Page(host, resources::layouts::Frm3, 3) {}

Frm5::Frm5(host::Host& host) : Page(host, resources::layouts::Frm5, 5) {}

Frm7::Frm7(host::Host& host) : Page(host, resources::layouts::Frm7, 7) {}

} // namespace pages
