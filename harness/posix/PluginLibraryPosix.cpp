// PluginLibrary's loading through the POSIX dynamic loader.
#include <dlfcn.h>

#include <stdexcept>

#include "PluginLibrary.h"

namespace TESSARIL_HOST_APP {

std::filesystem::path PluginLibrary::DefaultPath()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "libtessaril-remotecontrol-host.so";
}

void PluginLibrary::Open()
{
    // RTLD_LOCAL: the host reaches the plugin only through the symbols it asks
    // for. RTLD_NODELETE: the plugin's host core and command pool live until
    // it is unloaded and are not freed then; mapped until the process ends,
    // they stay reachable instead of turning into leaks at dlclose.
    handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr) {
        throw std::runtime_error("cannot load plugin " + file.string() + ": " + dlerror());
    }
}

void* PluginLibrary::Symbol(const char* name) const
{
    return dlsym(handle, name);
}

void PluginLibrary::Close()
{
    if (handle != nullptr) {
        dlclose(handle);
        handle = nullptr;
    }
}

}  // namespace TESSARIL_HOST_APP
