#pragma once

#include <string>
#include <vector>

namespace brelvik {

// What the window opens at start, read from the program's arguments once "--help" and
// "--version" are answered: one list file, folder or add-on, or nothing. Options are refused,
// so that a mistyped one is not taken for a file's name; after "--" every argument is a path.
struct StartArguments {
    std::wstring path;   // empty when there is nothing to open
    std::wstring wrong;  // why the arguments were refused, for standard error; empty when not
};
StartArguments Read_start_arguments(const std::vector<std::wstring>& arguments);

}  // namespace brelvik
