#include "platform/commandline.h"

namespace brelvik {

namespace {

bool Is_blank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// Reads one argument starting at a non-blank character; leaves pos behind it.
std::wstring Read_argument(const std::wstring& line, std::size_t& pos) {
    std::wstring argument;
    bool inQuotes = false;
    while (pos < line.size()) {
        const wchar_t c = line[pos];
        if (c == L'\\') {
            std::size_t slashes = 0;
            while (pos < line.size() && line[pos] == L'\\') {
                ++slashes;
                ++pos;
            }
            if (pos < line.size() && line[pos] == L'"') {
                argument.append(slashes / 2, L'\\');
                if (slashes % 2 == 1) {
                    argument += L'"';
                    ++pos;
                }
            } else {
                argument.append(slashes, L'\\');
            }
            continue;
        }
        if (c == L'"') {
            // Inside quotes a doubled quote is one literal quote, and the quotes go on.
            if (inQuotes && pos + 1 < line.size() && line[pos + 1] == L'"') {
                argument += L'"';
                pos += 2;
            } else {
                inQuotes = !inQuotes;
                ++pos;
            }
            continue;
        }
        if (Is_blank(c) && !inQuotes) {
            break;
        }
        argument += c;
        ++pos;
    }
    return argument;
}

}  // namespace

std::vector<std::wstring> Split_commandline(const std::wstring& commandLine) {
    std::vector<std::wstring> arguments;
    std::size_t pos = 0;
    while (true) {
        while (pos < commandLine.size() && Is_blank(commandLine[pos])) {
            ++pos;
        }
        if (pos == commandLine.size()) {
            return arguments;
        }
        arguments.push_back(Read_argument(commandLine, pos));
    }
}

std::vector<std::wstring> Program_arguments(const std::wstring& commandLine) {
    std::size_t end = 0;
    if (commandLine.starts_with(L'"')) {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring::npos ? commandLine.size() : end + 1;
    } else {
        while (end < commandLine.size() && !Is_blank(commandLine[end])) {
            ++end;
        }
    }
    return Split_commandline(commandLine.substr(end));
}

}  // namespace brelvik
