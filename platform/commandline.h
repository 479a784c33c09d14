#pragma once

#include <string>
#include <vector>

namespace brelvik {

// Splits a command line into arguments by the Microsoft C runtime rules, as a Windows program
// receives them. Where the system starts programs from an argument list, Start_process splits
// the composed line this way so that the packer gets what it would get on Windows.
std::vector<std::wstring> Split_commandline(const std::wstring& commandLine);

}  // namespace brelvik
