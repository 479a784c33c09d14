#pragma once

#include <random>
#include <string>

namespace brelvik {

// A short name for a temporary file that another user cannot guess in advance and so cannot
// plant anything under: 12 random letters and digits, 60 bits, well inside any name limit.
inline std::string Temp_name() {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz012345";
    std::random_device random;
    std::string name = ".brv";
    for (int i = 0; i < 12; ++i) {
        name += kAlphabet[random() % 32];
    }
    return name + ".tmp";
}

}  // namespace brelvik
