#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace TESSARIL_BENCH {

// The distribution of the gaps between consecutive time points, in milliseconds.
class IntervalStats {
public:
    // `times` in nanoseconds, ascending.
    explicit IntervalStats(const std::vector<int64_t>& times);

    size_t Count() const;
    double Median() const;
    // Nearest rank: the gap that 99 % of the gaps do not exceed.
    double P99() const;
    double Max() const;

private:
    double Rank(double fraction) const;

    std::vector<double> sorted;
};

}  // namespace TESSARIL_BENCH
