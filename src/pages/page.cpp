#include "pages/page.h"

#include "host/error.h"
#include "host/host.h"
#include "resources/texts.h"
#include "shell/module1.h"
#include "shell/small_fonts.h"

#include <QImage>
#include <algorithm>
#include <string>

namespace pages {

namespace {

QString pageName(int page) { return QStringLiteral("Frm%1").arg(page); }

} // namespace

void ConfirmExit()
{
    shell::Module1& m = shell::module();
    m.Msg = QStringLiteral("Exit Mouse program?");
    m.Style = 36;
    m.Title = QStringLiteral("Vantrel");
    m.Response = host::MsgBox(*m.Msg, *m.Style, *m.Title);
    if (m.Response == 6)
        host::End();
}

namespace {

bool holds(const host::StoredWindow& layout, std::string_view control)
{
    return std::any_of(layout.controls.begin(), layout.controls.end(),
                       [control](const host::StoredControl& c) { return control == c.name; });
}

} // namespace

Page::Page(host::Host& host, const host::StoredWindow& layout, int number)
    : Form(host, layout), m_number(number), m_hasBack(holds(layout, "ImgBack")), m_hasForward(holds(layout, "ImgFor"))
{
    // Each button is lit under the pointer, and normal again only over the bare background.
    if (hasForward()) {
        onClick("ImgFor", [this] { ImgFor_Click(); });
        highlight("ImgFor", 1);
    }
    if (hasBack()) {
        onClick("ImgBack", [this] { ImgBack_Click(); });
        highlight("ImgBack", 3);
    }
    onClick("ImgExit", [this] { ImgExit_Click(); });
    highlight("ImgExit", 2);
    onClick("ImgPrint", [this] { ImgPrint_Click(); });
    highlight("ImgPrint", 5);
    bind(host::Event::MouseMove, host::kWindow, [this](int, const host::MouseArgs&) { Form_MouseMove(); });

    // Each button's keys run its handler from anywhere on the page; its tooltip says them.
    if (hasForward()) {
        addShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), [this] { ImgFor_Click(); }, "ImgFor");
        addShortcut(QKeySequence(Qt::ALT | Qt::Key_PageDown), [this] { ImgFor_Click(); }, "ImgFor");
    }
    if (hasBack()) {
        addShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), [this] { ImgBack_Click(); }, "ImgBack");
        addShortcut(QKeySequence(Qt::ALT | Qt::Key_PageUp), [this] { ImgBack_Click(); }, "ImgBack");
    }
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), [this] { ImgPrint_Click(); }, "ImgPrint");
    addShortcut(QKeySequence(Qt::Key_Escape), [this] { ImgExit_Click(); }, "ImgExit");
}

void Page::highlight(const char* button, int listEntry)
{
    bind(host::Event::MouseMove, button, [this, button, listEntry](int, const host::MouseArgs&) {
        control(button).setPicture(shell::ListImage(listEntry));
    });
}

void Page::Form_MouseMove()
{
    control("ImgPrint").setPicture(shell::ListImage(10));
    if (hasBack())
        control("ImgBack").setPicture(shell::ListImage(8));
    control("ImgExit").setPicture(shell::ListImage(7));
    if (hasForward())
        control("ImgFor").setPicture(shell::ListImage(6));
}

void Page::Form_Load()
{
    shell::module().CurrentForm = this;
    shell::applySmallFonts(*this);
    buildText();
    afterText();
}

void Page::buildText()
{
    const auto fragments = resources::bodyFragments(m_number);
    setText(fragments.front());
    for (size_t i = 1; i < fragments.size(); ++i)
        appendText(fragments[i]);
}

void Page::setText(std::string_view fragment)
{
    control("Rtb1").setText(QString::fromUtf8(fragment.data(), qsizetype(fragment.size())));
}

void Page::appendText(std::string_view fragment)
{
    host::Control& box = control("Rtb1");
    box.setText(box.text() + QString::fromUtf8(fragment.data(), qsizetype(fragment.size())));
}

void Page::go(int page)
{
    // The target's load has run, and names it the current window, before this page goes.
    shell::window(pageName(page).toStdString()).Show();
    Unload();
}

void Page::ImgFor_Click() { go(m_number + 1); }

void Page::ImgBack_Click() { go(m_number - 1); }

void Page::ImgPrint_Click()
{
    try {
        host::Control& dialog = control("dlog5");
        const int firstPage = 1, lastPage = 1;
        host::PrintSettings& settings = dialog.printSettings();
        settings.cancelError = true;
        settings.copies = 1;
        settings.fromPage = firstPage;
        settings.toPage = lastPage;
        settings.flags = host::kNoPageNumbers;
        std::unique_ptr<host::Printer> printer = dialog.showPrinter();
        // The page as displayed now, with the print button still lit.
        printer->printImage(grabImage(), 1440.0 / twipsPerPixel());
        printer->endDoc();
        host::setScreenMousePointer(0);
    } catch (const host::CancelError&) {
        host::setScreenMousePointer(0);
    } catch (const host::Error& e) {
        host::setScreenMousePointer(0);
        // Failing silently would leave the reader waiting for a page that never comes.
        host::MsgBox(QStringLiteral("The page could not be printed.\n%1").arg(QString::fromUtf8(e.what())),
                     host::mb::OkOnly | host::mb::Exclamation, QStringLiteral("Vantrel"));
    }
}

} // namespace pages
