#pragma once

#include <chrono>

namespace brelvik {

// Wall time of one call, for ratios between two measurements taken in the same run.
template <class Work>
double Seconds(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace brelvik
