#include "packer/zipreader.h"

#include <QFile>
#include <QString>

#include "packer/packfailure.h"

namespace brelvik {

ZipReader::ZipReader(const std::wstring& path)
    : archive_(archive_read_new(), &archive_read_free), path_(path) {
    // The seekable reader trusts the central directory, as every zip tool does.
    archive_read_support_format_zip_seekable(archive_.get());
    const QByteArray name = QFile::encodeName(QString::fromStdWString(path));
    if (archive_read_open_filename(archive_.get(), name.constData(), 1 << 16) != ARCHIVE_OK) {
        Fail();
    }
}

archive_entry* ZipReader::Next() {
    archive_entry* entry = nullptr;
    const int status = archive_read_next_header(archive_.get(), &entry);
    if (status == ARCHIVE_EOF) {
        return nullptr;
    }
    if (status < ARCHIVE_WARN) {
        Fail();
    }
    return entry;
}

std::size_t ZipReader::Read(char* buffer, std::size_t size) {
    const la_ssize_t read = archive_read_data(archive_.get(), buffer, size);
    if (read < 0) {
        Fail();
    }
    return static_cast<std::size_t>(read);
}

void ZipReader::Fail() const {
    const char* error = archive_error_string(archive_.get());
    throw PackFailure(path_ + L" cannot be read as a zip archive: " +
                      QString::fromLocal8Bit(error ? error : "unknown error").toStdWString());
}

std::wstring Entry_name(archive_entry* entry) {
    const char* name = archive_entry_pathname_utf8(entry);
    return QString::fromUtf8(name ? name : "").toStdWString();
}

}  // namespace brelvik
