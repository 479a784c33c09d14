#include "app/arguments.h"

namespace brelvik {

StartArguments Read_start_arguments(const std::vector<std::wstring>& arguments) {
    StartArguments start;
    bool options = true;
    for (const std::wstring& argument : arguments) {
        if (options && argument == L"--") {
            options = false;
        } else if (options && argument.size() > 1 && argument.starts_with(L'-')) {
            return {{}, L"unknown option " + argument};
        } else if (!start.path.empty()) {
            return {{}, L"one file or folder at a time"};
        } else if (argument.empty()) {
            return {{}, L"an empty name"};
        } else {
            start.path = argument;
        }
    }
    return start;
}

}  // namespace brelvik
