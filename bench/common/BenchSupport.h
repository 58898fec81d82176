// Small helpers every benchmark program shares: reading "--name N" counts
// and taking medians.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

namespace bench {

// Sets each named count from "--name N" pairs on the command line (at least
// 1); other arguments are left alone.
inline void ReadCounts(int argc, char** argv,
                       std::initializer_list<std::pair<const char*, int*>> counts) {
    for (int i = 1; i + 1 < argc; ++i) {
        for (const auto& [name, value] : counts) {
            if (std::strcmp(argv[i], name) == 0) {
                *value = std::max(1, std::atoi(argv[i + 1]));
            }
        }
    }
}

inline double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace bench
