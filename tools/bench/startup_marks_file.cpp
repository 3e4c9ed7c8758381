// The start-up marks of a benchmark build of the renderer: each step, with
// the milliseconds since the process was created, appended as a line "STEP
// TAB MS" to the file that RAIVEL_STARTUP_MARKS names.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "startup_marks.h"

namespace {

ULONGLONG Ticks(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace

void MarkStartup(const char* step)
{
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    FILETIME created, exited, kernel, user;
    const char* path = std::getenv("RAIVEL_STARTUP_MARKS");
    if (!path || !GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return;
    if (FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%s\t%.1f\n", step, (Ticks(now) - Ticks(created)) / 1e4);
        std::fclose(file);
    }
}
