#pragma once

namespace morva {

// The delays of the program's timers (self-closing prompts, animations, clocks) and waits (for a
// data file that another program holds) in milliseconds, multiplied by a scale that is 1 in the
// program; tests make it small so that a prompt or a wait runs through in a moment.
int ScaledDelay(int ms);
void SetDelayScale(double scale);

} // namespace morva
