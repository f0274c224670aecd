// What a process holds: live QObjects (counted through Qt's object hooks, the way
// debugging tools count them), live widgets, heap bytes in use and resident memory.
#pragma once

#include <cstddef>

// Counts QObjects created and destroyed while it exists; one at a time.
class ObjectCounter {
public:
    ObjectCounter();
    ~ObjectCounter();
    ObjectCounter(const ObjectCounter&) = delete;
    ObjectCounter& operator=(const ObjectCounter&) = delete;

    bool available() const { return m_available; }
    long live() const; // created minus destroyed since construction

private:
    bool m_available = false;
};

struct MemoryFigures {
    long widgets = 0;
    long objects = 0;
    std::size_t heap = 0;     // bytes the allocator has handed out and not got back
    std::size_t resident = 0; // the process's resident set
};

// Runs the deferred deletes and hands freed memory back (the sanitizer's quarantine too),
// so that what is measured next is what is still held.
void settle();
MemoryFigures measure(const ObjectCounter& counter);
