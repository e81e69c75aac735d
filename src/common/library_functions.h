#pragma once

#include <dlfcn.h>

namespace morva {

// Sets function to the library's function of that name, from a library opened with dlopen;
// missing turns true when the library has none.
template <class Function>
void TakeFunction(void *library, const char *name, Function &function, bool &missing)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    missing = missing || !function;
}

} // namespace morva
