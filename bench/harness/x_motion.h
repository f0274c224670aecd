// Real pointer motion from the X server while the program pauses: another thread
// warps the pointer between two points over a window and measures how long until
// the user-interface thread sees the move. Only on the xcb platform.
#pragma once

#include <QPoint>
#include <memory>
#include <vector>

namespace bench {

class XMotion {
public:
    // nullptr when the program does not run on an X server.
    static std::unique_ptr<XMotion> start();
    virtual ~XMotion() = default;

    // Global positions the pointer alternates between.
    virtual void over(QPoint a, QPoint b) = 0;
    virtual void setRecording(bool on) = 0;
    virtual std::vector<double> delays() const = 0; // milliseconds
    virtual int lost() const = 0;                   // moves not seen within 100 ms
    virtual void clear() = 0;                       // forgets what was measured
};

} // namespace bench
