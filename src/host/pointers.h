// The mouse pointers that controls can ask for.
#pragma once

#include "host/layout.h"

#include <QCursor>

namespace host {

// The hand cursors are drawn pictures with their hot spot at the fingertip, rendered at
// the screen's device pixel ratio unless another is given; each is made once per ratio.
QCursor cursorFor(Pointer pointer, qreal devicePixelRatio = 0);

// The application-wide mouse pointer; 0 is the default pointer.
void setScreenMousePointer(int pointer);

} // namespace host
