#include "packing/cmdline.h"

namespace brelvik {

namespace {

bool Is_blank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool Needs_quotes(const std::wstring& argument) {
    return argument.empty() || argument.find_first_of(L" \t\"") != std::wstring::npos;
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

std::wstring Quote_argument(const std::wstring& argument) {
    if (!Needs_quotes(argument)) {
        return argument;
    }
    std::wstring quoted = L"\"";
    std::size_t slashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        // Backslashes count double only in front of a quote, the argument's own or the closing one.
        quoted.append(c == L'"' ? 2 * slashes + 1 : slashes, L'\\');
        quoted += c;
        slashes = 0;
    }
    quoted.append(2 * slashes, L'\\');
    quoted += L'"';
    return quoted;
}

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

}  // namespace brelvik
