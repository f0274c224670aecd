#include "pages/page.h"

#include "host/error.h"
#include "host/pointers.h"
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

void ConfirmExit(host::WindowHost& host)
{
    shell::Module1& m = shell::module();
    m.Msg = QStringLiteral("Exit Mouse program?");
    m.Style = 36;
    m.Title = QStringLiteral("Vantrel");
    m.Response = host.messageBox(*m.Msg, *m.Style, *m.Title);
    if (m.Response == 6)
        host.End();
}

namespace {

bool holds(const host::StoredWindow& layout, std::string_view control)
{
    return std::any_of(layout.controls.begin(), layout.controls.end(),
                       [control](const host::StoredControl& c) { return control == c.name; });
}

} // namespace

Page::Page(host::WindowHost& host, const host::StoredWindow& layout, int number) : Form(host, layout), m_number(number)
{
    if (holds(layout, "ImgFor"))
        m_forward.emplace(*this, "ImgFor");
    if (holds(layout, "ImgBack"))
        m_back.emplace(*this, "ImgBack");
    // Each button is lit under the pointer, and normal again only over the bare background.
    if (hasForward()) {
        onClick("ImgFor", [this] { ImgFor_Click(); });
        highlight("ImgFor", *m_forward, 1);
    }
    if (hasBack()) {
        onClick("ImgBack", [this] { ImgBack_Click(); });
        highlight("ImgBack", *m_back, 3);
    }
    onClick("ImgExit", [this] { ImgExit_Click(); });
    highlight("ImgExit", m_exit, 2);
    onClick("ImgPrint", [this] { ImgPrint_Click(); });
    highlight("ImgPrint", m_print, 5);
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

void Page::highlight(const char* name, const ImageRef& button, int listEntry)
{
    bind(host::Event::MouseMove, name, [&button, listEntry](int, const host::MouseArgs&) {
        button->setPicture(shell::ListImage(listEntry));
    });
}

void Page::Form_MouseMove()
{
    m_print->setPicture(shell::ListImage(10));
    if (hasBack())
        (*m_back)->setPicture(shell::ListImage(8));
    m_exit->setPicture(shell::ListImage(7));
    if (hasForward())
        (*m_forward)->setPicture(shell::ListImage(6));
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
    m_text->setText(QString::fromUtf8(fragment.data(), qsizetype(fragment.size())));
}

void Page::appendText(std::string_view fragment)
{
    m_text->setText(m_text->text() + QString::fromUtf8(fragment.data(), qsizetype(fragment.size())));
}

void Page::go(int page)
{
    // The target's load has run, and names it the current window, before this page goes.
    window(pageName(page).toStdString()).Show();
    Unload();
}

void Page::ImgFor_Click() { go(m_number + 1); }

void Page::ImgBack_Click() { go(m_number - 1); }

void Page::ImgPrint_Click()
{
    try {
        host::PrintDialog& dialog = *m_dialog;
        const int firstPage = 1, lastPage = 1;
        host::PrintSettings& settings = dialog.settings();
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
        MsgBox(QStringLiteral("The page could not be printed.\n%1").arg(QString::fromUtf8(e.what())),
               host::mb::OkOnly | host::mb::Exclamation, QStringLiteral("Vantrel"));
    }
}

} // namespace pages
