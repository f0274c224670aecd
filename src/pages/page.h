// The frame shared by the chapter's eight pages, written once: the load order with
// the small-font frame layout, navigation, the exit question, highlighting, printing
// and the keyboard.
#pragma once

#include "host/form.h"

#include <optional>

namespace pages {

// Asks "Exit Mouse program?" and ends the program on Yes; also what a close request
// from the desktop does on any window.
void ConfirmExit(host::WindowHost& host);

class Page : public host::Form {
public:
    Page(host::WindowHost& host, const host::StoredWindow& layout, int number);
    int number() const { return m_number; }

    void ImgFor_Click();
    void ImgBack_Click();
    void ImgExit_Click() { ConfirmExit(host()); }
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
    bool hasBack() const { return m_back.has_value(); }
    bool hasForward() const { return m_forward.has_value(); }

private:
    using ImageRef = host::Ref<host::Image>;
    void go(int page);
    void highlight(const char* name, const ImageRef& button, int listEntry);
    void Form_MouseMove();

    int m_number;
    ImageRef m_print{*this, "ImgPrint"};
    ImageRef m_exit{*this, "ImgExit"};
    std::optional<ImageRef> m_back, m_forward;
    host::Ref<host::TextBox> m_text{*this, "Rtb1"};
    host::Ref<host::PrintDialog> m_dialog{*this, "dlog5"};
};

} // namespace pages
