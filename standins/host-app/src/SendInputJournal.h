#pragma once

#include <cstddef>
#include <vector>

#include "ReportEntry.h"

namespace TESSARIL_HOST_APP {

// Reads the simulated desktop's SendInput journal piece by piece: each call
// gives the SendInput calls made since the previous one, in words.
class SendInputJournal {
public:
    std::vector<SendInputEntry> ReadNew();

private:
    size_t seen = 0;
};

}  // namespace TESSARIL_HOST_APP
