#include "resources/texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <string_view>

namespace {

struct Fragment {
    int page;
    int order; // 1-based position within the page
    std::string_view opening;
    int spacesBefore;
    int spacesAfter;
    int characters; // target length, spaces included
};

// Every fragment of the chapter: how it opens, the spaces that join it to its neighbours,
// and its target length.
constexpr Fragment kFragments[] = {
    {1, 1, "The mouse is designed to move the", 1, 1, 54},
    {1, 2, "Moving the screen pointer is intuitive", 0, 0, 93},
    {1, 3, "The mouse as a pointing device comes", 0, 0, 82},
    {1, 4, "Inside the mouse is a rubber ball", 0, 0, 73},
    {1, 5, "The ball rotates when in contact with", 0, 0, 151},
    {2, 1, "The switches on top enable programs to", 1, 0, 192},
    {2, 2, "The right mouse button opens menus.", 0, 0, 153},
    {3, 1, "Protruding from underneath the mouse is part", 1, 0, 112},
    {3, 2, "Inside the mouse the grey cylindrical ball", 0, 0, 265},
    {4, 1, "Each shaft has a perforated disk on one", 1, 2, 400},
    {4, 2, "The light sensor is connected to a chip.", 0, 1, 41},
    {4, 3, "This happens each time the mouse is moved.", 1, 0, 162},
    {5, 1, "These two diagrams show what happens", 0, 0, 66},
    {6, 1, "In this simulation moving the mouse shows", 1, 0, 107},
    {7, 1, "Inside the computer the I/O controller reads", 0, 0, 151},
    {7, 2, "The Video card (also known as the", 0, 0, 229},
    {8, 1, "When the mouse moves data is sent into", 0, 0, 137},
};

bool isSpaceLike(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

TEST(BodyFragments, EachPageHasItsNumberOfFragments)
{
    std::map<int, std::size_t> expected;
    for (const Fragment& f : kFragments)
        ++expected[f.page];
    ASSERT_EQ(expected.size(), 8u);
    for (const auto& [page, count] : expected)
        EXPECT_EQ(resources::bodyFragments(page).size(), count) << "page " << page;
}

TEST(BodyFragments, NoFragmentsOutsideTheChapter)
{
    EXPECT_TRUE(resources::bodyFragments(0).empty());
    EXPECT_TRUE(resources::bodyFragments(9).empty());
    EXPECT_TRUE(resources::bodyFragments(-1).empty());
}

TEST(BodyFragments, OpeningSpacesAndLength)
{
    for (const Fragment& f : kFragments) {
        SCOPED_TRACE("page " + std::to_string(f.page) + " fragment " + std::to_string(f.order));
        const auto fragments = resources::bodyFragments(f.page);
        ASSERT_LT(std::size_t(f.order - 1), fragments.size());
        const std::string_view text = fragments[std::size_t(f.order - 1)];
        ASSERT_GT(text.size(), std::size_t(f.spacesBefore + f.spacesAfter));

        // Exactly the listed spaces, then the opening words.
        EXPECT_EQ(text.substr(0, std::size_t(f.spacesBefore)), std::string(f.spacesBefore, ' '));
        EXPECT_EQ(text.substr(std::size_t(f.spacesBefore), f.opening.size()), f.opening);

        // Exactly the listed spaces at the end, and no other whitespace before them.
        const std::string_view tail = text.substr(text.size() - std::size_t(f.spacesAfter));
        EXPECT_EQ(tail, std::string(f.spacesAfter, ' '));
        EXPECT_FALSE(isSpaceLike(text[text.size() - std::size_t(f.spacesAfter) - 1]))
            << "more whitespace at the end than listed";

        // Within 5% of the listed length.
        const double deviation = std::abs(double(text.size()) - f.characters) / f.characters;
        EXPECT_LE(deviation, 0.05) << "length " << text.size() << ", listed " << f.characters;

        // Plain printable ASCII: the text boxes show the fragments as stored.
        for (char c : text)
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "character code " << int(c);
    }
}

} // namespace
