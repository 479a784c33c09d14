#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "platform/codepage.h"

namespace brelvik {

// Every function throws PlatformError on failure.
std::uint64_t File_length(const std::wstring& path);  // a missing file counts as 0
bool File_exists(const std::wstring& path);           // a regular file (or anything but a folder)
bool Folder_exists(const std::wstring& path);
std::string Read_bytes(const std::wstring& path);
// Replaces (or creates) the file through a temporary file in the same folder and an atomic
// rename, so a failed write leaves the old file whole. A symbolic link at the path is replaced
// by the file, never written through.
void Replace_bytes(const std::wstring& path, std::string_view bytes);
void Delete_file(const std::wstring& path);  // a missing file is no error
// Fails unless folder is there as a folder: it may have been deleted, or its drive not be ready.
void Require_folder(const std::wstring& folder);

// The file operations the window uses; Read_text and Replace_text are info files' text, the
// list-text pair list files' (codepage.h gives their encodings). Virtual so that a test can
// inject a failure that cannot be made real.
class FileAccess {
  public:
    virtual ~FileAccess() = default;
    virtual std::uint64_t Length(const std::wstring& path);
    virtual bool Exists(const std::wstring& path);
    virtual std::wstring Read_text(const std::wstring& path);
    virtual void Replace_text(const std::wstring& path, const std::wstring& text);
    virtual std::wstring Read_list_text(const std::wstring& path);
    virtual void Replace_list_text(const std::wstring& path, const std::wstring& text);
    virtual void Delete(const std::wstring& path);
    virtual void Require_folder(const std::wstring& folder);

  private:
    // How each info file was last read, so that it is written back the same way.
    std::map<std::wstring, InfoEncoding> infoEncodings_;
};

}  // namespace brelvik
