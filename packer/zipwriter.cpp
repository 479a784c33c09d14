#include "packer/zipwriter.h"

#include <QIODevice>
#include <QString>
#include <string>

#include "packer/packfailure.h"

namespace brelvik {

namespace {

la_ssize_t Write_out(archive* zip, void* client, const void* buffer, size_t length) {
    auto* out = static_cast<QIODevice*>(client);
    const qint64 written = out->write(static_cast<const char*>(buffer), length);
    if (written < 0) {
        archive_set_error(zip, EIO, "%s", out->errorString().toLocal8Bit().constData());
        return -1;
    }
    return written;
}

std::string Options(int level) {
    if (level == 0) {
        return "zip:compression=store";
    }
    return "zip:compression=deflate,zip:compression-level=" + std::to_string(level);
}

}  // namespace

ZipWriter::ZipWriter(QIODevice& out, int level) : archive_(archive_write_new()), out_(out) {
    Check(archive_write_set_format_zip(archive_));
    Check(archive_write_set_options(archive_, Options(level).c_str()));
    // Names go in as UTF-8 and are marked so, whatever the locale.
    Check(archive_write_set_options(archive_, "zip:hdrcharset=UTF-8"));
    // Zip readers look for the directory at the very end: no padding behind it.
    Check(archive_write_set_bytes_in_last_block(archive_, 1));
    Check(archive_write_open2(archive_, &out_, nullptr, &Write_out, nullptr, nullptr));
}

ZipWriter::~ZipWriter() {
    archive_write_free(archive_);
}

void ZipWriter::Begin_entry(archive_entry* entry) {
    Check(archive_write_header(archive_, entry));
}

void ZipWriter::Write(const char* data, std::size_t size) {
    if (archive_write_data(archive_, data, size) < 0) {
        Check(ARCHIVE_FATAL);
    }
}

void ZipWriter::Close() {
    Check(archive_write_close(archive_));
}

void ZipWriter::Check(int status) {
    if (status >= ARCHIVE_WARN) {
        return;
    }
    const char* error = archive_error_string(archive_);
    throw PackFailure(L"Cannot write the archive: " +
                      QString::fromLocal8Bit(error ? error : "unknown error").toStdWString());
}

}  // namespace brelvik
