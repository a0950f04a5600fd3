#pragma once

// Ends the program with `status` if what is left of it after this call (the application's
// destructor, the clean-ups at exit) has not finished within a few seconds: a teardown that hangs
// must not keep a program that the player has quit running. Call it once, on the way out of main.
void ArmTeardownWatchdog(int status);
