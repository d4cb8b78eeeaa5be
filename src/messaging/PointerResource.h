#pragma once

#include "messaging/ResourceBase.h"

namespace TESSARIL_RESOURCES {

// Owns one buffer made with the array form of new and releases it with the
// matching array delete (a null pointer releases nothing). Not copyable: two
// owners of one buffer would release it twice.
template <class Base, class T>
class PointerResourceOf : public Base {
public:
    explicit PointerResourceOf(T* buffer = nullptr) : pointer(buffer) {}
    ~PointerResourceOf() override { delete[] pointer; }

    PointerResourceOf(const PointerResourceOf&) = delete;
    PointerResourceOf& operator=(const PointerResourceOf&) = delete;

    T* pointer;
};

}  // namespace TESSARIL_RESOURCES

// One resource template per service layer, each deriving from that layer's base.
namespace TESSARIL_REMOTECONTROL_HOST {
template <class T>
using __PointerResource__ = TESSARIL_RESOURCES::PointerResourceOf<__ResourceBase__, T>;
}  // namespace TESSARIL_REMOTECONTROL_HOST

namespace TESSARIL_PYLON {
template <class T>
using __PointerResource__ = TESSARIL_RESOURCES::PointerResourceOf<__ResourceBase__, T>;
}  // namespace TESSARIL_PYLON

namespace TESSARIL_SERVER_API {
template <class T>
using __PointerResource__ = TESSARIL_RESOURCES::PointerResourceOf<__ResourceBase__, T>;
}  // namespace TESSARIL_SERVER_API
