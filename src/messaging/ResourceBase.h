#pragma once

// The polymorphic base of every resource: a payload buffer is kept alive by a
// shared pointer to one of these. Each service layer has its own, unrelated
// to the others, so a resource of one layer never lands in another's storage.
namespace TESSARIL_REMOTECONTROL_HOST {

class __ResourceBase__ {
public:
    virtual ~__ResourceBase__() = default;
};

}  // namespace TESSARIL_REMOTECONTROL_HOST

namespace TESSARIL_PYLON {

class __ResourceBase__ {
public:
    virtual ~__ResourceBase__() = default;
};

}  // namespace TESSARIL_PYLON

namespace TESSARIL_SERVER_API {

class __ResourceBase__ {
public:
    virtual ~__ResourceBase__() = default;
};

}  // namespace TESSARIL_SERVER_API
