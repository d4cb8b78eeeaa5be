#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace TESSARIL_BENCH {

// The closing table of a run: one row per measured path with its value, its
// floor measured in the same run, the two compared, the target and whether it
// was met. Printed as a Markdown table, so it can go into the README as it is.
class ResultTable {
public:
    struct Row {
        std::string what;
        std::string plugin;
        std::string floor;
        std::string comparison;
        std::string target;
        std::string met;
    };

    void Add(Row row);
    void Print(std::ostream& out) const;
    // Rows whose target was missed.
    int Missed() const;

    static std::string Microseconds(double nanoseconds);
    static std::string Verdict(bool met);

private:
    std::vector<Row> rows;
};

}  // namespace TESSARIL_BENCH
