// What a screen reader finds: only the windows that are shown, each named by its title; in
// them, in reading order, headings, text, pictures with words, buttons with their keys.
#include "host/stage.h"
#include "host/testing.h"
#include "resources/picture_texts.h"
#include "support/fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QWidget>

namespace {

struct Node {
    QAccessible::Role role;
    QString name;
    QString description;
};

class AccessibilityTest : public ProgramTest {
protected:
    QAccessibleInterface* window(const std::string& name)
    {
        return QAccessible::queryAccessibleInterface(form(name).widget());
    }

    static std::vector<Node> children(QAccessibleInterface* parent)
    {
        std::vector<Node> nodes;
        for (int i = 0; parent && i < parent->childCount(); ++i)
            if (QAccessibleInterface* c = parent->child(i))
                nodes.push_back({c->role(), c->text(QAccessible::Name), c->text(QAccessible::Description)});
        return nodes;
    }

    static QAccessibleInterface* named(QAccessibleInterface* parent, const QString& name)
    {
        for (int i = 0; parent && i < parent->childCount(); ++i)
            if (QAccessibleInterface* c = parent->child(i); c && c->text(QAccessible::Name) == name)
                return c;
        return nullptr;
    }

    static std::vector<QString> names(const std::vector<Node>& nodes)
    {
        std::vector<QString> out;
        for (const Node& n : nodes)
            out.push_back(n.name);
        return out;
    }
};

TEST_F(AccessibilityTest, OnlyTheWindowsThatAreShownAreInTheTreeTheOneInFrontFirst)
{
    start();
    QAccessibleInterface* stage = QAccessible::queryAccessibleInterface(&host->stage());
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->text(QAccessible::Name), "Vantrel");
    // The title window is loaded, hidden, from the start: it is not there.
    EXPECT_EQ(names(children(stage)), std::vector<QString>{"Vantrel Demo"});
    click("Form1", host::kWindow);
    click("Form2", "Command1");
    click("Form3", "Command1", 0);
    EXPECT_EQ(names(children(stage)), (std::vector<QString>{"Orvane Screen", "Vantrel Demo Menu"}));
    click("Form5", host::kWindow);
    EXPECT_EQ(names(children(stage)), std::vector<QString>{"Vantrel Demo Menu"});
    EXPECT_EQ(stage->child(0)->role(), QAccessible::Window);
}

TEST_F(AccessibilityTest, TheMenuButtonsAreNamedByTheirCaptionsAndTheAddressIsALink)
{
    start();
    click("Form1", host::kWindow);
    click("Form2", "Command1");
    const std::vector<Node> menu = children(window("Form3"));
    std::vector<std::pair<QAccessible::Role, QString>> seen;
    for (const Node& n : menu)
        seen.emplace_back(n.role, n.name);
    // Reading order: the column of buttons, then the order line and the address.
    const std::vector<std::pair<QAccessible::Role, QString>> expected{
        {QAccessible::Button, "Orvane Screen"},      {QAccessible::Button, "Vantrel Main Screen"},
        {QAccessible::Button, "Mouse Program"},      {QAccessible::Button, "Exit Vantrel Demo"},
        {QAccessible::StaticText, "Order now from "}, {QAccessible::Link, "www.tellisande.example"},
    };
    EXPECT_EQ(seen, expected);
    QAccessibleInterface* link = named(window("Form3"), "www.tellisande.example");
    ASSERT_NE(link, nullptr);
    ASSERT_NE(link->actionInterface(), nullptr);
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(desktop.commands, std::vector<QString>{"explorer http://www.tellisande.example/"});
}

TEST_F(AccessibilityTest, APageSaysItsHeadingTextPicturesCounterAndButtonsWithTheirKeys)
{
    openPage(7);
    const std::vector<Node> page = children(window("Frm7"));
    std::vector<std::pair<QAccessible::Role, QString>> seen;
    for (const Node& n : page)
        seen.emplace_back(n.role, n.name);
    const std::vector<std::pair<QAccessible::Role, QString>> expected{
        {QAccessible::Heading, "The Mouse and Motherboard"},
        {QAccessible::EditableText, "Page text"}, // in the row of the picture, and left of it
        {QAccessible::Graphic, "Motherboard"},
        {QAccessible::Button, "Previous page"},
        {QAccessible::Button, "Exit"},
        {QAccessible::Button, "Next page"},
        {QAccessible::StaticText, "Page 7 of 8"},
        {QAccessible::Button, "Print this page"},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(page[2].description, QString::fromUtf8(resources::pictureText("motherboard_labelled")->description));
    QAccessibleInterface* next = named(window("Frm7"), "Next page");
    ASSERT_NE(next->actionInterface(), nullptr);
    EXPECT_EQ(next->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              (QStringList{"Alt+Right", "Alt+PgDown"}));
    QAccessibleInterface* text = named(window("Frm7"), "Page text");
    EXPECT_TRUE(text->state().readOnly);
    EXPECT_EQ(text->textInterface()->text(0, text->textInterface()->characterCount()),
              form("Frm7").textBox("Rtb1").text());
}

TEST_F(AccessibilityTest, APressReturnsAtOnceAndTheClickThenRunsAsARealOne)
{
    openPage(4);
    QAccessibleInterface* ball = named(window("Frm4"), "Mouse ball");
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(ball->role(), QAccessible::Button);
    EXPECT_TRUE(ball->text(QAccessible::Description).contains("Press Space or Return"));
    std::vector<QString> frames;
    host::testing::setYieldHook(*host, [&](std::uint64_t) {
        if (frames.empty() || frames.back() != pictureOf(form("Frm4"), "Imgballmain", 3))
            frames.push_back(pictureOf(form("Frm4"), "Imgballmain", 3));
    });
    ball->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(frames.empty()); // nothing has run yet: the press only asked
    QCoreApplication::processEvents();
    EXPECT_EQ(frames.size(), 60u); // then the whole animation, as a click plays it
    host::testing::setYieldHook(*host, nullptr);

    QAccessibleInterface* next = named(window("Frm4"), "Next page");
    next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(form("Frm4").isLoaded());
    QCoreApplication::processEvents();
    EXPECT_TRUE(form("Frm5").isVisible());
    EXPECT_FALSE(form("Frm4").isLoaded());
}

TEST_F(AccessibilityTest, PicturesThatOnlyDecorateAndTheCounterPartsAreNotSaidTwice)
{
    for (int n : {1, 6, 8}) {
        makeProgram(120);
        openPage(n);
        const std::vector<Node> page = children(window("Frm" + std::to_string(n)));
        for (const Node& node : page) {
            EXPECT_FALSE(node.name.isEmpty()) << "page " << n << ": a control without a name";
            EXPECT_NE(node.name, "of") << "page " << n;
            EXPECT_NE(node.name, "Rule") << "page " << n;
            EXPECT_NE(node.name, "Plate") << "page " << n;
        }
        EXPECT_EQ(named(window("Frm" + std::to_string(n)), "Previous page") != nullptr, n > 1);
        EXPECT_EQ(named(window("Frm" + std::to_string(n)), "Next page") != nullptr, n < 8);
    }
}

TEST_F(AccessibilityTest, EveryPictureHasWordsAndOnlyTheDecorationsGoUnsaid)
{
    for (const char* asset : {"mouse_top", "board_lit", "mb_bus", "movement_vertical", "splash"}) {
        const resources::PictureText* text = resources::pictureText(asset);
        ASSERT_NE(text, nullptr) << asset;
        EXPECT_FALSE(text->decorative) << asset;
        EXPECT_GT(std::string_view(text->description).size(), 30u) << asset;
    }
    for (const char* asset : {"page_rule", "plate", "dots", "title_rule"})
        EXPECT_TRUE(resources::pictureText(asset)->decorative) << asset;
}

} // namespace
