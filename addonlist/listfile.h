#pragma once

#include <string>

namespace brelvik {

// The two file operations a list file needs; the platform layer provides them.
// Both throw the platform's error type on failure.
class ListFileIO {
  public:
    virtual ~ListFileIO() = default;
    // The whole file as text; a missing file is an error, never created.
    virtual std::wstring Read_text(const std::wstring& path) = 0;
    // Makes text the whole content of the file, atomically: a failed write keeps the old file.
    virtual void Replace_text(const std::wstring& path, const std::wstring& text) = 0;
};

std::wstring Read_listfile(ListFileIO& files, const std::wstring& path);
void Write_listfile(ListFileIO& files, const std::wstring& path, const std::wstring& text);

}  // namespace brelvik
