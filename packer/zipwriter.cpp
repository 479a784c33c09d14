#include "packer/zipwriter.h"

#include <QIODevice>
#include <QString>
#include <string>

#include "packer/packfailure.h"

namespace brelvik {

namespace {

la_ssize_t Write_out(archive*, void* client, const void* buffer, size_t length) {
    auto* sink = static_cast<ZipWriter::Sink*>(client);
    if (sink->error.isEmpty() && sink->out.write(static_cast<const char*>(buffer), length) < 0) {
        sink->error = sink->out.errorString();
    }
    return static_cast<la_ssize_t>(length);
}

std::string Options(int level) {
    if (level == 0) {
        return "zip:compression=store";
    }
    return "zip:compression=deflate,zip:compression-level=" + std::to_string(level);
}

}  // namespace

ZipWriter::ZipWriter(QIODevice& out, int level)
    : sink_{out, {}}, archive_(archive_write_new(), &archive_write_free) {
    Check(archive_write_set_format_zip(archive_.get()));
    Check(archive_write_set_options(archive_.get(), Options(level).c_str()));
    // Names go in as UTF-8 and are marked so, whatever the locale.
    Check(archive_write_set_options(archive_.get(), "zip:hdrcharset=UTF-8"));
    // Zip readers look for the directory at the very end: no padding behind it. Large blocks,
    // since the device writes each one through at once.
    Check(archive_write_set_bytes_in_last_block(archive_.get(), 1));
    Check(archive_write_set_bytes_per_block(archive_.get(), 1 << 16));
    Check(archive_write_open2(archive_.get(), &sink_, nullptr, &Write_out, nullptr, nullptr));
}

void ZipWriter::Begin_entry(archive_entry* entry) {
    Check(archive_write_header(archive_.get(), entry));
}

void ZipWriter::Write(const char* data, std::size_t size) {
    Check(archive_write_data(archive_.get(), data, size) < 0 ? ARCHIVE_FATAL : ARCHIVE_OK);
}

void ZipWriter::Close() {
    Check(archive_write_close(archive_.get()));
}

void ZipWriter::Check(int status) {
    QString error = sink_.error;
    if (error.isEmpty() && status < ARCHIVE_WARN) {
        const char* text = archive_error_string(archive_.get());
        error = QString::fromLocal8Bit(text ? text : "unknown error");
    }
    if (!error.isEmpty()) {
        throw PackFailure(L"Cannot write the archive: " + error.toStdWString() + L".");
    }
}

}  // namespace brelvik
