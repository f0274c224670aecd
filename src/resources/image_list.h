// The shared picture list of the button pictures: twelve entries numbered from 1, each a
// picture asset name, most with a key. Lit and resting forms of one button lie five
// entries apart (1 and 6 ... 5 and 10), except the close pair 12 and 11.
#pragma once

#include <span>

namespace resources {

// The asset names of entries 1 to 12, entry 1 first.
std::span<const char* const> imageList();

// The key of entry 1 to 12 ("for3", ...); nullptr for entry 8, which has none, and for
// numbers outside the list.
const char* imageListKey(int entry);

} // namespace resources
