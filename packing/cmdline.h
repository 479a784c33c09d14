#pragma once

#include <string>
#include <vector>

namespace brelvik {

// Quotes one argument by the Microsoft C runtime rules when it holds a space, a tab or a
// double quote (or is empty); anything else comes back unchanged.
std::wstring Quote_argument(const std::wstring& argument);

// Splits a command line into arguments by the same rules: the inverse of Quote_argument.
std::vector<std::wstring> Split_commandline(const std::wstring& commandLine);

}  // namespace brelvik
