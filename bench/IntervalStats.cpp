#include "IntervalStats.h"

#include <algorithm>
#include <cmath>

namespace TESSARIL_BENCH {

IntervalStats::IntervalStats(const std::vector<int64_t>& times)
{
    for (size_t i = 1; i < times.size(); ++i) {
        sorted.push_back(static_cast<double>(times[i] - times[i - 1]) / 1e6);
    }
    std::sort(sorted.begin(), sorted.end());
}

size_t IntervalStats::Count() const
{
    return sorted.size();
}

double IntervalStats::Median() const
{
    return Rank(0.5);
}

double IntervalStats::P99() const
{
    return Rank(0.99);
}

double IntervalStats::Max() const
{
    return sorted.empty() ? 0.0 : sorted.back();
}

double IntervalStats::Rank(double fraction) const
{
    if (sorted.empty()) {
        return 0.0;
    }
    const auto rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

}  // namespace TESSARIL_BENCH
