#include "pages/page.h"

#include "host/error.h"
#include "host/host.h"
#include "resources/texts.h"
#include "shell/module1.h"

#include <QImage>
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

Page::Page(host::Host& host, const host::FormSpec& layout, int number) : Form(host, layout), m_number(number)
{
    if (hasForward())
        onClick("ImgFor", [this] { ImgFor_Click(); });
    if (hasBack())
        onClick("ImgBack", [this] { ImgBack_Click(); });
    onClick("ImgExit", [this] { ImgExit_Click(); });
    onClick("ImgPrint", [this] { ImgPrint_Click(); });

    // Lit under the pointer; normal again only over the bare background.
    highlight("ImgFor", 1);
    highlight("ImgExit", 2);
    highlight("ImgBack", 3);
    highlight("ImgPrint", 5);
    bind(host::Event::MouseMove, host::kWindow, [this](int, const host::MouseArgs&) { Form_MouseMove(); });

    // The picture buttons take no focus; the keyboard runs the same handlers.
    if (hasForward()) {
        addShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), [this] { ImgFor_Click(); });
        addShortcut(QKeySequence(Qt::ALT | Qt::Key_PageDown), [this] { ImgFor_Click(); });
    }
    if (hasBack()) {
        addShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), [this] { ImgBack_Click(); });
        addShortcut(QKeySequence(Qt::ALT | Qt::Key_PageUp), [this] { ImgBack_Click(); });
    }
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), [this] { ImgPrint_Click(); });
    addShortcut(QKeySequence(Qt::Key_Escape), [this] { ImgExit_Click(); });
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
    if (shell::smallFonts())
        applyFrameLayout();
    buildText();
    afterText();
}

void Page::applyFrameLayout()
{
    auto move = [this](const char* name, int index, float left, float top) {
        host::Control& c = control(name, index);
        c.setLeft(left);
        c.setTop(top);
    };
    host::Control& header = control("Lblheader");
    header.setTop(60);
    header.setLeft(2850);
    smallFontMoves(1);
    setHeight(6030);
    setWidth(9120);
    smallFontMoves(2);
    if (hasBack())
        move("ImgBack", -1, 390, 4905);
    smallFontMoves(3);
    move("Imgbar", 0, 690, 5190);
    smallFontMoves(4);
    move("Imgbar", 1, 690, 375);
    smallFontMoves(5);
    host::Control& pageCount = control("ImgEP", 1);
    pageCount.setTop(5280);
    pageCount.setLeft(1980);
    smallFontMoves(6);
    move("ImgExit", -1, 4395, 4905);
    smallFontMoves(7);
    if (hasForward())
        move("ImgFor", -1, 8160, 4905);
    smallFontMoves(8);
    move("ImgPN", 0, 1155, 5280);
    smallFontMoves(9);
    move("ImgPrint", -1, 7290, 5280);
    smallFontMoves(10);
    move("Lblof", 1, 1800, 5445);
    smallFontMoves(11);
    move("Lblpn", 0, 1410, 5445);
    smallFontMoves(12);
    move("Lblpn", 2, 2205, 5445);
    smallFontMoves(13);
    // The last page keeps its text box where it is.
    if (m_number < kPages) {
        host::Control& text = control("Rtb1");
        text.setHeight(4380);
        text.setWidth(2490);
        text.setLeft(630);
        text.setTop(510);
    }
    smallFontMoves(14);
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
