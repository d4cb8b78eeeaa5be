#include "PluginLibrary.h"

#include "PluginLoadError.h"

namespace TESSARIL_HOST_APP {

PluginLibrary::PluginLibrary(const std::filesystem::path& pluginFile) : file(pluginFile)
{
    Open();
    try {
        ResolveExports();
    } catch (...) {
        Close();
        throw;
    }
}

PluginLibrary::~PluginLibrary()
{
    Close();
}

const PluginExports& PluginLibrary::Exports() const
{
    return exports;
}

const std::filesystem::path& PluginLibrary::File() const
{
    return file;
}

void PluginLibrary::ResolveExports()
{
    Resolve(exports.init, "ExportedInit");
    Resolve(exports.start, "ExportedStart");
    Resolve(exports.stop, "ExportedStop");
    Resolve(exports.uninit, "ExportedUninit");
    Resolve(exports.onReceive, "ExportedOnReceive");
    Resolve(exports.onDelegate, "ExportedOnDelegate");
    Resolve(exports.callEvent, "ExportedCallEvent");
    Resolve(exports.callDrop, "ExportedCallDrop");
}

template <typename Function>
void PluginLibrary::Resolve(Function& function, const char* name)
{
    void* const address = Symbol(name);
    if (address == nullptr) {
        throw PluginLoadError("plugin " + file.string() + " has no export " + name);
    }
    function = reinterpret_cast<Function>(address);
}

}  // namespace TESSARIL_HOST_APP
