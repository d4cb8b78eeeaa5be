#pragma once

#include <memory>
#include <vector>

#include "messaging/ResourceBase.h"

namespace TESSARIL_REMOTECONTROL_HOST {

// The resources that one plugin command keeps alive until the host application
// drops the call; destroying the collection releases them in order.
struct __ResourceCollection__ {
    std::vector<std::shared_ptr<__ResourceBase__>> resources;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST
