#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace brelvik {

// Text and file bytes convert by the ANSI code page: the system's on Windows, Windows-1252
// elsewhere. A character the code page cannot hold is written as "?"; Fits_ansi says whether
// there is none.
std::string To_ansi(std::wstring_view text);
std::wstring From_ansi(std::string_view bytes);
bool Fits_ansi(std::wstring_view text);

// Info files are read by the game in the ANSI code page, so they keep it while every character
// fits; a text that does not fit is written as UTF-8 behind a byte-order mark rather than lose
// characters. Reading takes the mark as UTF-8 and anything else as the code page, on every
// system: bytes that merely happen to form UTF-8 are no sign of it. A file read as UTF-8 is
// written back the same way, so that saving it unchanged gives the same bytes.
enum class InfoEncoding { kCodePage, kUtf8WithMark };
struct DecodedInfo {
    std::wstring text;
    InfoEncoding encoding = InfoEncoding::kCodePage;
};
std::string Encode_info_text(std::wstring_view text, InfoEncoding readAs);
DecodedInfo Decode_info_text(std::string_view bytes);

// List files hold paths for the packers. Off Windows they are UTF-8, the system's own encoding;
// a file that is not UTF-8 (one written by an older version) is read as Windows-1252. On
// Windows they are the ANSI code page that the packers read, and a text holding a path the code
// page cannot hold is refused with a PlatformError naming that path.
// Off Windows, a path holding bytes that are not UTF-8 is refused the same way: the file could
// not tell them from an older Windows-1252 file, and would name another file when read back.
std::string Encode_list_text(std::wstring_view text);
std::wstring Decode_list_text(std::string_view bytes);
// Why a list file cannot hold this path, or nothing when it can; and the bytes of a list's text
// once every path fits.
std::optional<std::wstring> Unlistable_because(std::wstring_view path);
std::string List_bytes(std::wstring_view text);

// UTF-8, for the settings store and the system's texts elsewhere. To_utf8 writes U+FFFD for a
// lone surrogate; From_utf8 gives nothing for bytes that are not well-formed UTF-8.
std::string To_utf8(std::wstring_view text);
std::optional<std::wstring> From_utf8(std::string_view bytes);
// UTF-16LE, as the registry editor exports; the same rules as the UTF-8 pair, except that the
// escaped bytes of To_native (U+DC80..U+DCFF) are kept as those units both ways, so that a
// name that is not UTF-8 survives a UTF-16 file.
std::string To_utf16le(std::wstring_view text);
std::optional<std::wstring> From_utf16le(std::string_view bytes);

// Names as the system's bytes off Windows: well-formed UTF-8 decoded, and every other byte kept
// as U+DC80..U+DCFF and given back as the same byte, so that a name read from the system names
// the same file when handed back to it.
std::string To_native(std::wstring_view text);
std::wstring From_native(std::string_view bytes);

// A path of the system as the program's text, as From_native gives it off Windows.
std::wstring Path_text(const std::filesystem::path& path);

}  // namespace brelvik
