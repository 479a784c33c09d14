#pragma once

#include <string>
#include <vector>

namespace brelvik {

// Splits a command line into arguments by the Microsoft C runtime rules, as a Windows program
// receives them. Where the system starts programs from an argument list, Start_process splits
// the composed line this way so that the packer gets what it would get on Windows.
std::vector<std::wstring> Split_commandline(const std::wstring& commandLine);

// The arguments after the program's name in a Windows program's whole command line. The name
// is read by the runtime's own rule for it: quoted, it ends at the next quote; else at a blank;
// a backslash is a backslash there.
std::vector<std::wstring> Program_arguments(const std::wstring& commandLine);

}  // namespace brelvik
