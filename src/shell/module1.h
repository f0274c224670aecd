// Program-wide state shared by the windows, and the display density check.
#pragma once

#include "host/form.h"
#include "host/picture.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace shell {

struct Module1 {
    // The exit question's prompt, buttons, title and answer; empty until first asked.
    std::optional<QString> Msg;
    std::optional<std::int16_t> Style;
    std::optional<QString> Title;
    std::optional<std::int32_t> Response;
    // 1 on a display with 105 or fewer pixels per logical inch, else 0; empty until checked.
    std::optional<std::int16_t> SmallFonts;
    // The window among frmk0 and the pages whose load ran last.
    host::Form* CurrentForm = nullptr;
    bool DelayRunning = false;
    bool DelayRunning2 = false;
};

// The state of the running program.
Module1& module();
void setModule(Module1* module);

// Reads the display density through the title window's device context.
void CheckScreenDpi(host::Form& titleWindow);
// SmallFonts compared with 1 by value: empty is not 1.
inline bool smallFonts() { return module().SmallFonts == std::int16_t(1); }

// Entry n (from 1) of the shared picture list of the button pictures.
host::Picture ListImage(int n);

// Keeps a pause flag set while a pause runs and clears it however the pause ends,
// so a handler stopped at a yield never leaves the flag stuck.
class PauseFlag {
public:
    explicit PauseFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~PauseFlag() { m_flag = false; }
    PauseFlag(const PauseFlag&) = delete;
    PauseFlag& operator=(const PauseFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace shell
