#pragma once
// Order statistics of a sample: nearest-rank percentiles and the largest.

#include <algorithm>
#include <cmath>
#include <vector>

template <typename T>
double percentile(std::vector<T> values, double p) {
    if (values.empty()) return NAN;
    std::sort(values.begin(), values.end());
    const double rank = std::ceil(p / 100.0 * double(values.size()));
    const size_t index = rank < 1 ? 0 : size_t(rank) - 1;
    return double(values[std::min(index, values.size() - 1)]);
}

template <typename T>
double largest(const std::vector<T>& values) {
    if (values.empty()) return NAN;
    return double(*std::max_element(values.begin(), values.end()));
}
