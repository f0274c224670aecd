// The body texts of the eight pages, stored as the fragments that a page's load joins.
#pragma once

#include <span>
#include <string_view>

namespace resources {

// The fragments of page 1 to 8, in the order the page appends them. The only spaces at
// the joints are those stored at the fragments' ends. Empty for other page numbers.
std::span<const std::string_view> bodyFragments(int page);

} // namespace resources
