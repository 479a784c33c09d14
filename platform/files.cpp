#include "platform/files.h"

#include "platform/codepage.h"

namespace brelvik {

std::uint64_t FileAccess::Length(const std::wstring& path) {
    return File_length(path);
}

bool FileAccess::Exists(const std::wstring& path) {
    return File_exists(path);
}

std::wstring FileAccess::Read_text(const std::wstring& path) {
    DecodedInfo decoded = Decode_info_text(Read_bytes(path));
    infoEncodings_[path] = decoded.encoding;
    return std::move(decoded.text);
}

void FileAccess::Replace_text(const std::wstring& path, const std::wstring& text) {
    const auto readAs = infoEncodings_.find(path);
    Replace_bytes(
        path, Encode_info_text(
                  text, readAs == infoEncodings_.end() ? InfoEncoding::kCodePage : readAs->second));
}

std::wstring FileAccess::Read_list_text(const std::wstring& path) {
    return Decode_list_text(Read_bytes(path));
}

// Encoded before anything is written, so that a refused path leaves the old file as it was.
void FileAccess::Replace_list_text(const std::wstring& path, const std::wstring& text) {
    Replace_bytes(path, Encode_list_text(text));
}

void FileAccess::Delete(const std::wstring& path) {
    Delete_file(path);
}

void FileAccess::Require_folder(const std::wstring& folder) {
    brelvik::Require_folder(folder);
}

}  // namespace brelvik
