// The clicks that lead from the splash to page n: the splash, the welcome window's start
// button, the menu's mouse program, the chapter title, then each page's forward button.
// Shared by the tests and the benchmarks.
#pragma once

#include "host/form.h"

#include <string>

namespace support {

template <class Click> void clickToPage(int n, Click&& click)
{
    click("Form1", host::kWindow, -1);
    click("Form2", "Command1", -1);
    click("Form3", "Command1", 2);
    click("frmk0", "Image2", 0);
    for (int page = 1; page < n; ++page)
        click("Frm" + std::to_string(page), "ImgFor", -1);
}

} // namespace support
