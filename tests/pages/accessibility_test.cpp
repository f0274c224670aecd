// What a screen reader finds on a page: the windows named by their titles, the image
// buttons and the ball as push buttons named by their tooltips, pressable.
#include "support/fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QWidget>

namespace {

class AccessibilityTest : public ProgramTest {
protected:
    std::map<QString, QAccessibleInterface*> buttonsOf(const std::string& window)
    {
        std::map<QString, QAccessibleInterface*> buttons;
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(form(window).widget());
        for (int i = 0; root && i < root->childCount(); ++i) {
            QAccessibleInterface* child = root->child(i);
            if (child && child->role() == QAccessible::Button)
                buttons[child->text(QAccessible::Name)] = child;
        }
        return buttons;
    }
};

TEST_F(AccessibilityTest, TheImageButtonsArePushButtonsNamedByTheirTooltips)
{
    openPage(4);
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form("Frm4").widget());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->text(QAccessible::Name), "15. Mouse \u2013 Shaft Encoders (page 4 of 8)");
    const auto buttons = buttonsOf("Frm4");
    std::vector<QString> names;
    for (const auto& [name, iface] : buttons)
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<QString>{"Exit", "Next", "Previous", "Print",
                                           "The ball turns the shaft encoder wheel."}));
    const QRect next = buttons.at("Next")->rect();
    EXPECT_EQ(next.size(), QSize(38, 38));
    EXPECT_EQ(buttons.at("Next")->parent(), window);
}

TEST_F(AccessibilityTest, PressingAButtonRunsItsClickHandler)
{
    openPage(2);
    QAccessibleInterface* next = buttonsOf("Frm2").at("Next");
    auto* action = next->actionInterface();
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(form("Frm3").isVisible());
    EXPECT_FALSE(form("Frm2").isLoaded());
    EXPECT_FALSE(next->isValid()); // its page went away
}

TEST_F(AccessibilityTest, PagesWithoutABackButtonOfferNone)
{
    openPage(1);
    EXPECT_EQ(buttonsOf("Frm1").count("Previous"), 0u);
    EXPECT_EQ(buttonsOf("Frm1").count("Next"), 1u);
}

} // namespace
