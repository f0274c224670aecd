#include "live_objects.h"

#include <QApplication>
#include <QWidget>
#include <atomic>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

// Qt's hook table (qhooks_p.h): entry 1 holds the table's size, entries 3 and 4 the
// callbacks run by every QObject's constructor and destructor.
extern quintptr qtHookData[];

extern "C" {
// Present when linked with AddressSanitizer.
std::size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));
void __sanitizer_purge_allocator() __attribute__((weak));
}

namespace {

constexpr int kHookSize = 1, kAddObject = 3, kRemoveObject = 4;
using Callback = void (*)(QObject*);

std::atomic<long> g_created{0}, g_destroyed{0};
quintptr g_previousAdd = 0, g_previousRemove = 0;

void added(QObject* object)
{
    ++g_created;
    if (g_previousAdd)
        reinterpret_cast<Callback>(g_previousAdd)(object);
}

void removed(QObject* object)
{
    ++g_destroyed;
    if (g_previousRemove)
        reinterpret_cast<Callback>(g_previousRemove)(object);
}

} // namespace

ObjectCounter::ObjectCounter()
{
    m_available = qtHookData[kHookSize] > kRemoveObject;
    if (!m_available)
        return;
    g_created = 0;
    g_destroyed = 0;
    g_previousAdd = qtHookData[kAddObject];
    g_previousRemove = qtHookData[kRemoveObject];
    qtHookData[kAddObject] = reinterpret_cast<quintptr>(&added);
    qtHookData[kRemoveObject] = reinterpret_cast<quintptr>(&removed);
}

ObjectCounter::~ObjectCounter()
{
    if (!m_available)
        return;
    qtHookData[kAddObject] = g_previousAdd;
    qtHookData[kRemoveObject] = g_previousRemove;
}

long ObjectCounter::live() const { return g_created - g_destroyed; }

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (__sanitizer_purge_allocator)
        __sanitizer_purge_allocator();
    malloc_trim(0);
}

MemoryFigures measure(const ObjectCounter& counter)
{
    MemoryFigures f;
    f.widgets = long(QApplication::allWidgets().size());
    f.objects = counter.live();
    f.heap = __sanitizer_get_current_allocated_bytes ? __sanitizer_get_current_allocated_bytes()
                                                      : mallinfo2().uordblks;
    std::ifstream statm("/proc/self/statm");
    std::size_t size = 0, resident = 0;
    statm >> size >> resident;
    f.resident = resident * std::size_t(sysconf(_SC_PAGESIZE));
    return f;
}
