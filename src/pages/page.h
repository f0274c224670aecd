// The frame shared by the chapter's eight pages, written once: the load order with
// the small-font frame layout, navigation, the exit question, highlighting, printing
// and the keyboard.
#pragma once

#include "host/form.h"

namespace pages {

// Asks "Exit Mouse program?" and ends the program on Yes; also what a close request
// from the desktop does on any window.
void ConfirmExit();

class Page : public host::Form {
public:
    Page(host::Host& host, const host::StoredWindow& layout, int number);
    int number() const { return m_number; }

    void ImgFor_Click();
    void ImgBack_Click();
    void ImgExit_Click() { ConfirmExit(); }
    void ImgPrint_Click();

protected:
    void Form_Load() final;
    // Builds the body text: set fragment 1, then append each further fragment.
    virtual void buildText();
    // What the page does after its text (the simulation pages colour their desk).
    virtual void afterText() {}

    void setText(std::string_view fragment);
    void appendText(std::string_view fragment);
    // The buttons the page's layout gives it.
    bool hasBack() const { return m_hasBack; }
    bool hasForward() const { return m_hasForward; }

private:
    void go(int page);
    void highlight(const char* button, int listEntry);
    void Form_MouseMove();

    int m_number;
    bool m_hasBack, m_hasForward;
};

} // namespace pages
