#include "resources/image_list.h"
#include "resources/layouts/layouts.h"
#include "support/stored_layouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#ifndef PICTURES_DIR
#error "PICTURES_DIR must name the folder of the picture sources"
#endif

namespace {

using host::StoredControl;
using host::StoredWindow;
using host::Kind;
namespace layouts = resources::layouts;

constexpr const char* kWindowNames[] = {
    "Form1", "Form2", "Form3", "Form4", "Form5", "frmk0", "FrmBack", "Frm1",
    "Frm2",  "Frm3",  "Frm4",  "Frm5",  "Frm6",  "Frm7",  "Frm8",
};

const StoredWindow& window(const char* name)
{
    const StoredWindow* form = support::layoutNamed(name);
    if (!form)
        throw std::runtime_error(std::string("no layout named ") + name);
    return *form;
}

const StoredWindow& page(int number)
{
    return window(("Frm" + std::to_string(number)).c_str());
}

// The position of a control in the window's front-to-back list, if it is there.
std::optional<std::size_t> position(const StoredWindow& form, std::string_view name, int index = -1)
{
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
        const StoredControl& c = form.controls[i];
        if (c.name && name == c.name && c.index == index)
            return i;
    }
    return std::nullopt;
}

const StoredControl* find(const StoredWindow& form, std::string_view name, int index = -1)
{
    const auto at = position(form, name, index);
    return at ? &form.controls[*at] : nullptr;
}

std::string label(const StoredWindow& form, const StoredControl& c)
{
    return std::string(form.name) + "." + c.name +
           (c.index >= 0 ? "(" + std::to_string(c.index) + ")" : "");
}

TEST(Layouts, EveryWindowIsFoundByItsOwnName)
{
    for (const char* name : kWindowNames) {
        const StoredWindow* form = support::layoutNamed(name);
        ASSERT_NE(form, nullptr) << name;
        EXPECT_STREQ(form->name, name);
        EXPECT_NE(form->title, nullptr) << name;
    }
    EXPECT_EQ(support::layoutNamed("Frm9"), nullptr);
    EXPECT_EQ(support::layoutNamed("frm1"), nullptr);
    EXPECT_EQ(support::layoutNamed(""), nullptr);
}

struct FrameControl {
    const char* name;
    int index;
    Kind kind;
};

constexpr FrameControl kFrame[] = {
    {"Rtb1", -1, Kind::RichTextBox}, {"dlog5", -1, Kind::PrintDialog},
    {"Lblheader", -1, Kind::Label},  {"Lblpn", 0, Kind::Label},
    {"Lblpn", 2, Kind::Label},       {"Lblof", 1, Kind::Label},
    {"ImgExit", -1, Kind::Image},    {"ImgPrint", -1, Kind::Image},
    {"Imgbar", 0, Kind::Image},      {"Imgbar", 1, Kind::Image},
    {"ImgEP", 1, Kind::Image},       {"ImgPN", 0, Kind::Image},
};

TEST(PageFrame, EveryPageHasTheFrameWithItsOwnNumber)
{
    for (int n = 1; n <= 8; ++n) {
        const StoredWindow& form = page(n);
        SCOPED_TRACE(form.name);
        for (const FrameControl& f : kFrame) {
            const StoredControl* c = find(form, f.name, f.index);
            ASSERT_NE(c, nullptr) << f.name << "(" << f.index << ")";
            EXPECT_EQ(c->kind, f.kind) << f.name;
            EXPECT_EQ(c->container, nullptr) << f.name;
        }
        EXPECT_STREQ(find(form, "Lblpn", 0)->caption, std::to_string(n).c_str());
        EXPECT_STREQ(find(form, "Lblpn", 2)->caption, "8");
        EXPECT_STREQ(find(form, "Lblof", 1)->caption, "of");

        // The title names the heading and the page's place, so the two cannot drift apart.
        const std::string title = form.title;
        const std::string heading = find(form, "Lblheader")->caption;
        EXPECT_EQ(title, "15. Mouse \u2013 " + heading + " (page " + std::to_string(n) + " of 8)");

        // The counter digits must be drawn on their discs, not hidden behind them.
        EXPECT_LT(*position(form, "Lblpn", 0), *position(form, "ImgPN", 0));
        EXPECT_LT(*position(form, "Lblpn", 2), *position(form, "ImgEP", 1));
    }
}

TEST(PageFrame, BackAndForwardButtonsOnlyWhereThereIsAPage)
{
    for (int n = 1; n <= 8; ++n) {
        const StoredWindow& form = page(n);
        EXPECT_EQ(find(form, "ImgBack") != nullptr, n > 1) << form.name;
        EXPECT_EQ(find(form, "ImgFor") != nullptr, n < 8) << form.name;
    }
}

TEST(PageFrame, TextBoxComesFirstInTheTabOrderExceptOnTheLastPage)
{
    for (int n = 1; n <= 8; ++n) {
        const StoredWindow& form = page(n);
        std::vector<std::pair<int, std::string>> order;
        for (const StoredControl& c : form.controls) {
            if (c.tabIndex >= 0)
                order.emplace_back(c.tabIndex, c.name);
        }
        std::sort(order.begin(), order.end());
        ASSERT_FALSE(order.empty()) << form.name;
        const auto adjacent = std::adjacent_find(
            order.begin(), order.end(), [](auto& a, auto& b) { return a.first == b.first; });
        EXPECT_EQ(adjacent, order.end()) << form.name << ": two controls share a tab index";
        EXPECT_EQ((n < 8 ? order.front() : order.back()).second, "Rtb1") << form.name;
    }
}

TEST(Layouts, NoControlIsListedTwice)
{
    for (const char* name : kWindowNames) {
        const StoredWindow& form = window(name);
        std::set<std::pair<std::string, int>> seen;
        for (const StoredControl& c : form.controls) {
            ASSERT_NE(c.name, nullptr) << name;
            EXPECT_TRUE(seen.emplace(c.name, c.index).second) << "duplicate " << label(form, c);
        }
    }
}

TEST(Layouts, ContainersArePictureBoxesOfTheSameWindow)
{
    for (const char* name : kWindowNames) {
        const StoredWindow& form = window(name);
        for (const StoredControl& c : form.controls) {
            if (!c.container)
                continue;
            const StoredControl* box = find(form, c.container);
            ASSERT_NE(box, nullptr) << label(form, c) << " names a missing container";
            EXPECT_EQ(box->kind, Kind::PictureBox) << label(form, c);
            EXPECT_NE(box, &c) << label(form, c) << " contains itself";
        }
    }
}

// The animation frames are hidden when a page opens; nothing else is.
TEST(Layouts, OnlyTheFrameHoldersAreHidden)
{
    const std::set<std::tuple<std::string, std::string, int>> expected{
        {"Frm4", "ImgDisk1", 0}, {"Frm4", "ImgDisk1", 1}, {"Frm4", "ImgDisk1", 2},
        {"Frm4", "Imgball", 0},  {"Frm4", "Imgball", 1},  {"Frm4", "Imgball", 2},
        {"Frm6", "Imgmon", -1},  {"Frm6", "Imgmi", -1},   {"Frm8", "Imgmon", -1},
        {"Frm8", "Imgmi", -1},   {"Frm8", "Imgmb1", -1},  {"Frm8", "Imgmb2", -1},
        {"Frm8", "Imgmb3", -1},
    };
    std::set<std::tuple<std::string, std::string, int>> hidden;
    for (const char* name : kWindowNames) {
        for (const StoredControl& c : window(name).controls) {
            if (!c.visible)
                hidden.emplace(name, c.name, c.index);
        }
    }
    EXPECT_EQ(hidden, expected);
}

// Collects every picture asset that any window, control or list entry names.
std::set<std::string> allPictureNames()
{
    std::set<std::string> names;
    for (const char* name : kWindowNames) {
        const StoredWindow& form = window(name);
        for (const char* p : {form.picture, form.icon}) {
            if (p)
                names.insert(p);
        }
        for (const StoredControl& c : form.controls) {
            if (c.picture)
                names.insert(c.picture);
        }
    }
    for (const char* entry : resources::imageList())
        names.insert(entry);
    return names;
}

TEST(Pictures, EveryNamedPictureHasItsSource)
{
    for (const std::string& name : allPictureNames()) {
        const auto file = std::filesystem::path(PICTURES_DIR) / (name + ".svg");
        EXPECT_TRUE(std::filesystem::is_regular_file(file)) << "missing " << file;
    }
}

TEST(Pictures, EveryImageAndLabelHasItsContent)
{
    for (const char* name : kWindowNames) {
        const StoredWindow& form = window(name);
        for (const StoredControl& c : form.controls) {
            if (c.kind == Kind::Image || c.kind == Kind::PictureButton) {
                EXPECT_NE(c.picture, nullptr) << label(form, c);
            }
            if (c.kind == Kind::Label) {
                EXPECT_NE(c.caption, nullptr) << label(form, c);
            }
        }
    }
}

// The pixel size written in a picture source's root element, if it can be read.
std::optional<std::pair<int, int>> svgPixelSize(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in)
        return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    const auto open = s.find("<svg");
    if (open == std::string::npos)
        return std::nullopt;
    const std::string root = s.substr(open, s.find('>', open) - open);
    static const std::regex width(R"(\swidth="(\d+)(px)?")"), height(R"(\sheight="(\d+)(px)?")");
    std::smatch w, h;
    if (!std::regex_search(root, w, width) || !std::regex_search(root, h, height))
        return std::nullopt;
    return std::pair{std::stoi(w[1]), std::stoi(h[1])};
}

// Stored image sizes are the picture's pixels at 15 twips each; a mismatch means a wrong
// number in a layout or a picture drawn at the wrong size.
TEST(Pictures, ImageSizesMatchTheirPictures)
{
    for (const char* name : kWindowNames) {
        const StoredWindow& form = window(name);
        for (const StoredControl& c : form.controls) {
            const bool sizedByPicture =
                c.kind == Kind::Image || (c.kind == Kind::PictureBox && c.autoSize);
            if (!sizedByPicture || !c.picture)
                continue;
            const auto size = svgPixelSize(std::filesystem::path(PICTURES_DIR) /
                                           (std::string(c.picture) + ".svg"));
            if (!size)
                continue; // a missing source is reported by EveryNamedPictureHasItsSource
            EXPECT_EQ(c.width, size->first * 15.0f) << label(form, c) << " shows " << c.picture;
            EXPECT_EQ(c.height, size->second * 15.0f) << label(form, c) << " shows " << c.picture;
        }
    }
}

TEST(ImageList, TwelveEntriesAndOnlyEntryEightWithoutKey)
{
    const auto entries = resources::imageList();
    ASSERT_EQ(entries.size(), 12u);
    std::set<std::string> keys;
    for (int entry = 1; entry <= 12; ++entry) {
        const char* key = resources::imageListKey(entry);
        if (entry == 8) {
            EXPECT_EQ(key, nullptr);
            continue;
        }
        ASSERT_NE(key, nullptr) << "entry " << entry;
        EXPECT_TRUE(keys.insert(key).second) << "key " << key << " used twice";
    }
    EXPECT_EQ(resources::imageListKey(0), nullptr);
    EXPECT_EQ(resources::imageListKey(13), nullptr);
}

// Lighting a button swaps entry k for entry k + 5 (the close pair runs the other way);
// a wrong order would light the wrong symbol.
TEST(ImageList, LitAndRestingFormsPairUp)
{
    const auto entries = resources::imageList();
    ASSERT_EQ(entries.size(), 12u);
    for (std::size_t lit = 0; lit < 5; ++lit)
        EXPECT_EQ(std::string(entries[lit]), std::string(entries[lit + 5]) + "_lit")
            << "entry " << lit + 1;
    EXPECT_EQ(std::string(entries[11]), std::string(entries[10]) + "_lit");
}

// The buttons start with the resting entry's picture, so the first highlight change that
// restores it shows no jump.
TEST(ImageList, ButtonsRestOnTheirListPicture)
{
    const auto entries = resources::imageList();
    ASSERT_EQ(entries.size(), 12u);
    const std::pair<const char*, int> buttons[] = {
        {"ImgFor", 6}, {"ImgExit", 7}, {"ImgBack", 8}, {"ImgPrint", 10}};
    for (int n = 1; n <= 8; ++n) {
        for (const auto& [name, entry] : buttons) {
            if (const StoredControl* c = find(page(n), name)) {
                EXPECT_STREQ(c->picture, entries[std::size_t(entry - 1)])
                    << "Frm" << n << "." << name;
            }
        }
    }
    EXPECT_STREQ(find(window("frmk0"), "Image2", 0)->picture, entries[5]);
    EXPECT_STREQ(find(window("Form2"), "Command1")->picture, entries[5]);
    EXPECT_STREQ(find(window("Form3"), "Command1", 3)->picture, entries[6]);
}

} // namespace
