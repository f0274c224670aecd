// The mouse pointers that controls can ask for.
#pragma once

#include "host/layout.h"

#include <QCursor>

namespace host {

// The hand cursors are drawn pictures with their hot spot at the fingertip; each is
// made once per run.
QCursor cursorFor(Pointer pointer);

} // namespace host
