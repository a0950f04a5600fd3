#pragma once

#include <chrono>

// A teardown takes milliseconds, a sanitized build's on a loaded machine under a second; one
// still going after this long is stuck, and the player has waited long enough.
constexpr std::chrono::seconds TeardownLimit{5};

// Ends the program with `status` if what is left of main after this call (the destructors of its
// objects, the application's among them) has not finished within TeardownLimit: a teardown that
// hangs must not keep a program that the player has quit running. The clean-ups at exit that
// were registered before the call are not limited. Call it once, on the way out of main.
void ArmTeardownWatchdog(int status);
