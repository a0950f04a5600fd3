#include "TeardownWatchdog.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

// Set once main has returned and its objects are gone, so that what runs later at exit (the
// leak checker of a sanitized build, which can take its time) is never cut short.
std::atomic<bool> MainReturned{false};

} // namespace

void ArmTeardownWatchdog(int status)
{
    // Handlers registered later run sooner: this one runs right after main's own objects are
    // destroyed, and before the clean-ups registered while the program started.
    std::atexit([] { MainReturned = true; });
    // The watchdog must need no lock that a stuck teardown may hold: what is written so far goes
    // out now, and the watchdog touches nothing but the flag.
    std::fflush(nullptr);
    std::thread([status] {
        std::this_thread::sleep_for(TeardownLimit);
        if (!MainReturned)
            std::_Exit(status);
    }).detach();
}
