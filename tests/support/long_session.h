#pragma once

// What a long session of the program holds in memory, and the events delivered between its commands as the
// event loop delivers them. Shared by the endurance test and its benchmark.

#include <QCoreApplication>
#include <cstdio>
#include <malloc.h>
#include <unistd.h>

namespace long_session {

// AddressSanitizer allocates apart from the C library's heap and keeps freed blocks in quarantine: neither
// the heap in use nor the resident size says anything under it.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kMeasurable = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kMeasurable = false;
#else
inline constexpr bool kMeasurable = true;
#endif
#else
inline constexpr bool kMeasurable = true;
#endif

// The heap blocks the process holds, in KB: the allocator's chunks in use and its blocks mapped on their own.
inline double HeapInUseKilobytes() {
    const struct mallinfo2 info = ::mallinfo2();
    return double(info.uordblks + info.hblkhd) / 1024.0;
}

// The resident size of the process, in KB.
inline double ResidentKilobytes() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(::sysconf(_SC_PAGESIZE)) / 1024.0;
}

// What a turn of the running program's event loop delivers, for code that runs commands outside any loop:
// every posted event (paints, layouts, queued calls, timers that are due), then the deferred deletions.
// A running loop deletes each object once control is back at the loop that asked; outside any loop Qt
// delivers only the deletions asked for inside an event and keeps the others back until asked for them.
inline void DeliverPostedEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace long_session
