#pragma once

#include <thread>

namespace morva {

// Loads the system's font configuration on a second core while the program makes its
// application object and opens its data files: loading it costs every start 3 to 4 ms, which the
// main window's first text would otherwise spend. Ending waits for the load, so that nothing of it
// outlives the program.
class FontConfigurationLoad {
public:
    FontConfigurationLoad();
    ~FontConfigurationLoad();

    FontConfigurationLoad(const FontConfigurationLoad &) = delete;
    FontConfigurationLoad &operator=(const FontConfigurationLoad &) = delete;

    // Waits until the configuration is loaded: text laid out before that would load one of its own.
    void wait();

private:
    std::thread load_;
};

} // namespace morva
