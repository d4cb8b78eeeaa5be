// PluginLibrary's loading through the Windows loader.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "PluginLibrary.h"

namespace TESSARIL_HOST_APP {

std::filesystem::path PluginLibrary::DefaultPath()
{
    std::wstring program(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    program.resize(length);
    return std::filesystem::path(program).parent_path() / "tessaril-remotecontrol-host.dll";
}

void PluginLibrary::Open()
{
    // The plugin's own imports (tessaril-log-dll.dll) are looked up in its folder first.
    handle = LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (handle == nullptr) {
        throw std::runtime_error("cannot load plugin " + file.string() + ": error " + std::to_string(GetLastError()));
    }
}

void* PluginLibrary::Symbol(const char* name) const
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void PluginLibrary::Close()
{
    if (handle != nullptr) {
        FreeLibrary(static_cast<HMODULE>(handle));
        handle = nullptr;
    }
}

}  // namespace TESSARIL_HOST_APP
