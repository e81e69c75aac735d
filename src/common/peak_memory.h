#pragma once

#include <cstdio>

namespace morva {

// Writes the process's peak resident memory so far to the standard error, as the start-up
// timeline's line "morva start-up: peak memory 34512 kB" (0 when it cannot be read). The figure is
// the kernel's account of this program's own memory (VmHWM): unlike getrusage() read by a measuring
// parent, it holds nothing of the parent that started the process. Header only, so that the
// benchmark's minimal program reports itself alike without linking the program's code.
inline void WritePeakMemory()
{
    long kilobytes = 0;
    if (FILE *status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status)) {
            if (std::sscanf(line, "VmHWM: %ld kB", &kilobytes) == 1)
                break;
        }
        std::fclose(status);
    }
    std::fprintf(stderr, "morva start-up: peak memory %ld kB\n", kilobytes);
}

} // namespace morva
