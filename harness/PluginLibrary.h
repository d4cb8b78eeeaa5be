#pragma once

#include <filesystem>

#include "PluginExports.h"

namespace TESSARIL_HOST_APP {

// The plugin loaded the way a host application loads it: by file, reaching
// nothing but its eight exports. Loading and symbol lookup are per platform
// (dlopen here, LoadLibrary on Windows): the build picks the source file of
// the Open, Symbol, Close and DefaultPath members.
class PluginLibrary {
public:
    // Throws std::runtime_error when the file cannot be loaded or an export is missing.
    explicit PluginLibrary(const std::filesystem::path& file = DefaultPath());
    ~PluginLibrary();

    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    const PluginExports& Exports() const { return exports; }
    const std::filesystem::path& File() const { return file; }

    // The plugin's file beside the running program.
    static std::filesystem::path DefaultPath();

private:
    template <typename Function>
    void Resolve(Function& function, const char* name);

    void Open();
    void* Symbol(const char* name) const;
    void Close();

    std::filesystem::path file;
    void* handle = nullptr;  // the platform's module handle
    PluginExports exports;
};

}  // namespace TESSARIL_HOST_APP
