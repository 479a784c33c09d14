#pragma once

#include <string>

namespace brelvik {

// Quotes one argument by the Microsoft C runtime rules when it holds a space, a tab or a
// double quote (or is empty); anything else comes back unchanged. A program reading its
// command line by those rules gets the argument back whole.
std::wstring Quote_argument(const std::wstring& argument);

}  // namespace brelvik
