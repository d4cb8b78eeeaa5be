#pragma once

namespace TESSARIL_HOST_APP {

// One visitor for std::visit out of several lambdas, one per alternative.
template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};

}  // namespace TESSARIL_HOST_APP
