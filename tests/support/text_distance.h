// Character error rate of decoded text against what was sent: edit distance (insertions,
// deletions, substitutions) divided by the length of the sent text.
#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

namespace vexa::test {

inline int editDistance(std::string_view a, std::string_view b)
{
    std::vector<int> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

inline double characterErrorRate(std::string_view sent, std::string_view decoded)
{
    return sent.empty() ? 0.0
                        : static_cast<double>(editDistance(sent, decoded)) / static_cast<double>(sent.size());
}

}  // namespace vexa::test
