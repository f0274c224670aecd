#include "program.h"

#include "host/host.h"
#include "host/picture.h"
#include "pages/page.h"
#include "resources/layouts/layouts.h"
#include "resources/picture_texts.h"
#include "shell/backdrop.h"
#include "shell/chapter_title.h"
#include "shell/demo_menu.h"
#include "shell/font_check.h"
#include "shell/preview.h"
#include "shell/splash.h"
#include "shell/welcome.h"
#include "simulations/ball_encoder.h"
#include "simulations/mouse_motherboard.h"
#include "simulations/mouse_movement.h"

Program::Program(host::Host& host) : fontFamilies(shell::installedFontFamilies), m_host(host)
{
    shell::setModule(&module);
    host::Picture::setWords([](const QString& asset) {
        const resources::PictureText* text = resources::pictureText(asset.toStdString());
        return text ? host::PictureWords{QString::fromUtf8(text->name), QString::fromUtf8(text->description),
                                         text->decorative}
                    : host::PictureWords{};
    });
    m_windows.push_back(std::make_unique<shell::FrmBack>(host));
    m_windows.push_back(std::make_unique<shell::Form1>(host));
    m_windows.push_back(std::make_unique<shell::Form2>(host));
    m_windows.push_back(std::make_unique<shell::Form3>(host));
    m_windows.push_back(std::make_unique<shell::Preview>(host, resources::layouts::Form4));
    m_windows.push_back(std::make_unique<shell::Preview>(host, resources::layouts::Form5));
    m_windows.push_back(std::make_unique<shell::frmk0>(host));
    // The plain pages are the frame with their text and pictures, and nothing of their own.
    m_windows.push_back(std::make_unique<pages::Page>(host, resources::layouts::Frm1, 1));
    m_windows.push_back(std::make_unique<pages::Page>(host, resources::layouts::Frm2, 2));
    m_windows.push_back(std::make_unique<pages::Page>(host, resources::layouts::Frm3, 3));
    m_windows.push_back(std::make_unique<simulations::Frm4>(host));
    m_windows.push_back(std::make_unique<pages::Page>(host, resources::layouts::Frm5, 5));
    m_windows.push_back(std::make_unique<simulations::Frm6>(host));
    m_windows.push_back(std::make_unique<pages::Page>(host, resources::layouts::Frm7, 7));
    m_windows.push_back(std::make_unique<simulations::Frm8>(host));
    // Alt+F4 or a task switcher's close asks the same question as the pages' exit.
    host.setCloseHandler([&host] { pages::ConfirmExit(host); });
}

Program::~Program()
{
    m_host.setCloseHandler(nullptr);
    m_windows.clear();
    shell::setModule(nullptr);
}

void Program::start()
{
    // Before the splash, whose timer would otherwise run on under the modal box and
    // move the start-up along behind it.
    shell::checkFonts(m_host, fontFamilies());
    m_host.form("Form1").Show();
}
