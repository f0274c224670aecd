#include "resources/image_list.h"

#include <array>

namespace resources {
namespace {

struct Entry {
    const char* picture;
    const char* key;
};

constexpr std::array<Entry, 12> kEntries{{
    {"btn_for_lit", "for3"},
    {"btn_exit_lit", "exit3"},
    {"btn_back_lit", "back3"},
    {"btn_info_lit", "info4"},
    {"btn_print_lit", "print3"},
    {"btn_for", "for"},
    {"btn_exit", "exit"},
    {"btn_back", nullptr},
    {"btn_info", "info3"},
    {"btn_print", "print"},
    {"btn_close", "close"},
    {"btn_close_lit", "closex"},
}};

constexpr auto kPictures = [] {
    std::array<const char*, kEntries.size()> names{};
    for (std::size_t i = 0; i < kEntries.size(); ++i)
        names[i] = kEntries[i].picture;
    return names;
}();

} // namespace

std::span<const char* const> imageList()
{
    return kPictures;
}

const char* imageListKey(int entry)
{
    if (entry < 1 || entry > static_cast<int>(kEntries.size()))
        return nullptr;
    return kEntries[static_cast<std::size_t>(entry - 1)].key;
}

} // namespace resources
