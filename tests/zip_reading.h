#pragma once

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <map>
#include <string>

namespace brelvik::test {

// A zip archive as read back: stored name -> bytes.
using ZipEntries = std::map<std::string, std::string>;

// Reads every entry of a zip archive; one that cannot be opened fails the test and reads empty.
inline ZipEntries Read_zip(const std::filesystem::path& path) {
    // libarchive gives stored names through the locale; the names here are UTF-8.
    static const bool utf8 = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
    EXPECT_TRUE(utf8);
    ZipEntries entries;
    archive* zip = archive_read_new();
    archive_read_support_format_zip(zip);
    EXPECT_EQ(archive_read_open_filename(zip, path.c_str(), 1 << 16), ARCHIVE_OK) << path;
    archive_entry* entry = nullptr;
    while (archive_read_next_header(zip, &entry) == ARCHIVE_OK) {
        std::string& bytes = entries[archive_entry_pathname_utf8(entry)];
        char buffer[1 << 16];
        for (la_ssize_t n; (n = archive_read_data(zip, buffer, sizeof buffer)) > 0;) {
            bytes.append(buffer, n);
        }
    }
    archive_read_free(zip);
    return entries;
}

}  // namespace brelvik::test
