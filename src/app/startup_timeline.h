#pragma once

namespace morva {

// The steps of the program's start, timed for whoever measures it. Only when the environment
// variable MORVA_STARTUP_TIMELINE is set: each step is written to the standard error as it ends
// ("morva start-up: 41.2 ms main window built"), and the program ends once its main window has
// been painted for the first time, after writing its peak memory until then ("morva start-up:
// peak memory 34512 kB"). A value that is a moment of the last minute, in nanoseconds of
// the monotonic clock (std::chrono::steady_clock), is taken as the moment the process was started,
// so that the time before main() counts too; with any other value ("1") the times count from
// main(). Without the variable nothing is timed and nothing changes.
class StartupTimeline {
public:
    // Reads the variable; called first thing in main().
    static void Begin();
    static bool Active();
    // The step that has just ended.
    static void Mark(const char *step);
    // Ends the program after the first paint of the window named windowName (the application
    // object must exist).
    static void EndAfterFirstPaint(const char *windowName);
};

} // namespace morva
