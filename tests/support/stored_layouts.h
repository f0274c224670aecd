// Every window's stored layout by its name, as the tests look them up.
#pragma once

#include "host/layout.h"

#include <string_view>

namespace support {

// nullptr when no window has the name.
const host::StoredWindow* layoutNamed(std::string_view name);

} // namespace support
