// What each picture shows, in words, for those who hear the program rather than see it:
// one table for every picture the program has.
#pragma once

#include <span>
#include <string_view>

namespace resources {

struct PictureText {
    const char* asset;
    const char* name;        // short, as a screen reader names the picture
    const char* description; // what it shows, as a learner needs to hear it
    bool decorative;         // says nothing; not offered to assistive technology
};

std::span<const PictureText> pictureTexts();
// The entry of an asset, or nullptr when the table has none.
const PictureText* pictureText(std::string_view asset);

} // namespace resources
