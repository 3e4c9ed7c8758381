#include "image_helper.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>

#include <cstdio>

#include "stop_signals.h"

extern char** environ;

bool RunImageHelper(Window window, Pixmap pixmap)
{
    char windowId[32];
    char pixmapId[32];
    std::snprintf(windowId, sizeof windowId, "0x%lx", window);
    std::snprintf(pixmapId, sizeof pixmapId, "0x%lx", pixmap);
    char program[] = "xscreensaver-getimage";
    char* argv[] = {program, windowId, pixmapId, nullptr};
    pid_t helper = 0;
    if (posix_spawnp(&helper, program, nullptr, nullptr, argv, environ) != 0)
        return false;

    // Polled, so that a stop signal ends the wait whichever thread it lands on.
    const timespec pause = {0, 5000000};
    int status = 0;
    pid_t ended = 0;
    while ((ended = waitpid(helper, &status, WNOHANG)) == 0 && !g_stopRequested)
        nanosleep(&pause, nullptr);
    if (ended == 0) {
        kill(helper, SIGTERM);
        waitpid(helper, &status, 0);
        return false;
    }
    return ended == helper && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
