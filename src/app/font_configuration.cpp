#include "app/font_configuration.h"

#include <fontconfig/fontconfig.h>

namespace morva {

// Qt's font database asks fontconfig for the configuration this makes current.
FontConfigurationLoad::FontConfigurationLoad() : load_([] { FcInit(); }) {}

FontConfigurationLoad::~FontConfigurationLoad()
{
    wait();
}

void FontConfigurationLoad::wait()
{
    if (load_.joinable())
        load_.join();
}

} // namespace morva
