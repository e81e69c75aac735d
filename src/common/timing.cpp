#include "common/timing.h"

#include <cmath>

namespace morva {
namespace {

double &Scale()
{
    static double scale = 1.0;
    return scale;
}

} // namespace

int ScaledDelay(int ms)
{
    return static_cast<int>(std::lround(ms * Scale()));
}

void SetDelayScale(double scale)
{
    Scale() = scale;
}

} // namespace morva
