#pragma once

#include <stdexcept>
#include <string>

namespace TESSARIL_HOST_APP {

// The plugin library cannot be loaded, or lacks one of the eight exports.
class PluginLoadError : public std::runtime_error {
public:
    explicit PluginLoadError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace TESSARIL_HOST_APP
