#include "PluginLibrary.h"

#include <stdexcept>

namespace TESSARIL_HOST_APP {

PluginLibrary::PluginLibrary(const std::filesystem::path& pluginFile) : file(pluginFile)
{
    Open();
    try {
        Resolve(exports.init, "ExportedInit");
        Resolve(exports.start, "ExportedStart");
        Resolve(exports.stop, "ExportedStop");
        Resolve(exports.uninit, "ExportedUninit");
        Resolve(exports.onReceive, "ExportedOnReceive");
        Resolve(exports.onDelegate, "ExportedOnDelegate");
        Resolve(exports.callEvent, "ExportedCallEvent");
        Resolve(exports.callDrop, "ExportedCallDrop");
    } catch (...) {
        Close();
        throw;
    }
}

PluginLibrary::~PluginLibrary()
{
    Close();
}

template <typename Function>
void PluginLibrary::Resolve(Function& function, const char* name)
{
    void* const address = Symbol(name);
    if (address == nullptr) {
        throw std::runtime_error("plugin " + file.string() + " has no export " + name);
    }
    function = reinterpret_cast<Function>(address);
}

}  // namespace TESSARIL_HOST_APP
