#include "shell/module1.h"

#include "host/error.h"
#include "resources/image_list.h"

namespace shell {

namespace {
Module1* g_module = nullptr;
}

Module1& module()
{
    if (!g_module)
        throw host::Error("The program's state is not set up.");
    return *g_module;
}

void setModule(Module1* module) { g_module = module; }

void CheckScreenDpi(host::Form& titleWindow)
{
    // Reading the title window's device context loads it (hidden) if needed.
    const quintptr hdc = titleWindow.hDC();
    const int count = titleWindow.GetDeviceCaps(hdc, host::LOGPIXELSX);
    const float pixelsPerInch = float(count);
    module().SmallFonts = 1;
    if (pixelsPerInch > 105.0f)
        module().SmallFonts = 0;
}

host::Picture ListImage(int n)
{
    const auto names = resources::imageList();
    if (n < 1 || n > int(names.size()))
        throw host::Error("The picture list has no entry " + std::to_string(n) + ".");
    return host::Picture::fromAsset(names[size_t(n - 1)]);
}

} // namespace shell
