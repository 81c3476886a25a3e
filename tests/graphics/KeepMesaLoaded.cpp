// Mesa's libraries are unloaded at exit before the leak check runs, which then takes what
// their globals still hold for leaks it cannot even name. Kept loaded, it stays reachable.
#include <dlfcn.h>

#include <initializer_list>

namespace {

struct KeepMesaLoaded {
    KeepMesaLoaded() {
        for (const char* library :
             {"libEGL_mesa.so.0", "libglapi.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"}) {
            dlopen(library, RTLD_LAZY | RTLD_NODELETE);
        }
    }
} keepMesaLoaded;

}  // namespace
