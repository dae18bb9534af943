#include "squaretext.h"

#include <algorithm>
#include <vector>

namespace {

std::string rightAligned(long long value, size_t width)
{
    std::string text = std::to_string(value);
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

} // namespace

std::string squareText(const MagicSquare &square, int n, bool transposed)
{
    std::vector<std::vector<int>> rows(n, std::vector<int>(n));
    std::vector<long long> rowSums(n, 0);
    std::vector<long long> columnSums(n, 0);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            const int value = transposed ? square.at(j, i) : square.at(i, j);
            rows[i - 1][j - 1] = value;
            rowSums[i - 1] += value;
            columnSums[j - 1] += value;
        }
    }
    // Every column is as wide as the widest sum, so the sums line up under the numbers.
    const long long widest = std::max(*std::max_element(rowSums.begin(), rowSums.end()),
                                      *std::max_element(columnSums.begin(), columnSums.end()));
    const size_t width = std::to_string(widest).size();

    std::string text;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            text += (j > 0 ? " " : "") + rightAligned(rows[i][j], width);
        text += " = " + rightAligned(rowSums[i], width) + '\n';
    }
    for (int j = 0; j < n; ++j)
        text += (j > 0 ? " " : "") + rightAligned(columnSums[j], width);
    return text + '\n';
}
