#pragma once

#include <dlfcn.h>

namespace pelmora {

// Looks a function of a library opened with dlopen up under its own name, into a pointer of
// its declared type (decltype(&function)). False when the library lacks it.
template <typename Function>
bool resolveSymbol(void *library, const char *name, Function &function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

} // namespace pelmora
