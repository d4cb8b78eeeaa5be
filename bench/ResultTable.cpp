#include "ResultTable.h"

#include <fmt/format.h>

#include <algorithm>

namespace TESSARIL_BENCH {

void ResultTable::Add(Row row)
{
    rows.push_back(std::move(row));
}

void ResultTable::Print(std::ostream& out) const
{
    out << "| what | plugin | floor | plugin vs floor | target | met |\n";
    out << "|---|---|---|---|---|---|\n";
    for (const Row& row : rows) {
        out << fmt::format("| {} | {} | {} | {} | {} | {} |\n", row.what, row.plugin, row.floor, row.comparison,
                           row.target, row.met);
    }
}

int ResultTable::Missed() const
{
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const Row& row) { return row.met == "no"; }));
}

std::string ResultTable::Microseconds(double nanoseconds)
{
    return fmt::format("{:.3f} µs", nanoseconds / 1000.0);
}

std::string ResultTable::Verdict(bool met)
{
    return met ? "yes" : "no";
}

}  // namespace TESSARIL_BENCH
