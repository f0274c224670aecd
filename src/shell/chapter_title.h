#pragma once

#include "host/form.h"

namespace shell {

// The chapter's title window, loaded hidden at start-up; its start image opens page 1.
class frmk0 : public host::Form {
public:
    explicit frmk0(host::WindowHost& host);

protected:
    void Form_Load() override;

private:
    void Image2_Click(int index);
    void Image2_MouseMove(int index);
    void Form_MouseMove();

    host::Ref<host::Image> m_start{*this, "Image2", 0}; // the array's one element
};

} // namespace shell
