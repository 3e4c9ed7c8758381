#include "stop_signals.h"

#include <signal.h>

#include <initializer_list>

volatile std::sig_atomic_t g_stopRequested = 0;

namespace {

void RequestStop(int)
{
    g_stopRequested = 1;
}

} // namespace

void CatchStopSignals()
{
    struct sigaction action = {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}
