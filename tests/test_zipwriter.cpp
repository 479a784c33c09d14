// The zip writer's archives, read back by unzip and libarchive: members cut into blocks that
// are deflated on all cores must come out whole, in order, and about as small as one stream.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QProcess>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "packer/blockdeflater.h"
#include "packer/zipcheck.h"
#include "packer/zipreader.h"
#include "packer/zipwriter.h"
#include "platform/memberfile.h"
#include "tests/support/temp_folder.h"
#include "tests/zip_reading.h"

namespace brelvik {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

struct Member {
    std::string name;
    std::string bytes;
};

// A file written at offsets; runs of zeros are left as holes, so that gigabytes of them cost
// no disk.
class FileSink : public ZipSink {
  public:
    explicit FileSink(const fs::path& path)
        : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644)) {
        EXPECT_GE(fd_, 0);
    }
    ~FileSink() override {
        EXPECT_EQ(::ftruncate(fd_, end_), 0);
        ::close(fd_);
    }
    void Write_at(const char* data, std::size_t size, std::uint64_t offset) override {
        if (!Zeros(data, size)) {
            ASSERT_EQ(::pwrite(fd_, data, size, static_cast<off_t>(offset)),
                      static_cast<ssize_t>(size));
        }
        end_ = std::max<std::uint64_t>(end_, offset + size);
    }

  private:
    static bool Zeros(const char* data, std::size_t size) {
        return std::all_of(data, data + size, [](char c) { return c == 0; });
    }
    int fd_;
    off_t end_ = 0;
};

// Calls write(zip) between opening the archive and closing it.
template <typename Writes>
void Write_zip(const fs::path& path, int level, std::size_t blockSize, Writes writes) {
    FileSink file(path);
    ZipWriter zip(file, level, blockSize);
    writes(zip);
    zip.Close();
}

void Begin(ZipWriter& zip, const std::string& name, std::uint64_t size) {
    zip.Begin_entry({name, true, 1700000000, size});
}

void Write_members(const fs::path& path, int level, std::size_t blockSize,
                   const std::vector<Member>& members, std::size_t chunk) {
    Write_zip(path, level, blockSize, [&](ZipWriter& zip) {
        for (const Member& member : members) {
            Begin(zip, member.name, member.bytes.size());
            for (std::size_t at = 0; at < member.bytes.size(); at += chunk) {
                zip.Write(member.bytes.data() + at, std::min(chunk, member.bytes.size() - at));
            }
        }
    });
}

struct Unzipped {
    int exitCode = -1;
    std::string output;
};

Unzipped Unzip(const QStringList& arguments) {
    QProcess unzip;
    // unzip writes names past ASCII as escapes unless the locale is a UTF-8 one.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C.UTF-8");
    unzip.setProcessEnvironment(environment);
    unzip.start("unzip", arguments);
    EXPECT_TRUE(unzip.waitForFinished(300000));
    return {unzip.exitStatus() == QProcess::NormalExit ? unzip.exitCode() : -1,
            unzip.readAllStandardOutput().toStdString()};
}

// unzip's test of every CRC and size; empty when it finds nothing wrong.
std::string Unzip_test(const fs::path& path) {
    const Unzipped run = Unzip({"-tqq", QString::fromStdString(path.string())});
    return run.exitCode == 0 ? "" : "unzip -t: " + std::to_string(run.exitCode) + run.output;
}

std::string Stored_names(const fs::path& path) {
    return Unzip({"-Z1", QString::fromStdString(path.string())}).output;
}

// Text whose repeats reach across the seams between blocks.
std::string Text(std::size_t size) {
    std::mt19937_64 random(5);
    std::vector<std::string> words(300);
    for (std::string& word : words) {
        word = std::to_string(random()).substr(0, 3 + random() % 9) + ' ';
    }
    std::string text;
    while (text.size() < size) {
        text += words[random() % words.size()];
    }
    text.resize(size);
    return text;
}

std::string Random(std::size_t size) {
    std::mt19937_64 random(9);
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i + 8 <= size; i += 8) {
        const std::uint64_t value = random();
        std::memcpy(&bytes[i], &value, 8);
    }
    return bytes;
}

TEST(ZipWriter, MembersComeBackWholeAndInOrderAtEveryLevel) {
    // Small blocks, so that every member but the smallest has seams, some inside one write.
    constexpr std::size_t kBlock = 64 << 10;
    const std::vector<Member> members = {{"text.pbo", Text(300'000)},
                                         {"empty.txt", ""},
                                         {"caf\xc3\xa9.txt", "x"},
                                         {"random.pbo", Random(200'000)}};
    test::ZipEntries expected;
    for (const Member& member : members) {
        expected[member.name] = member.bytes;
    }
    for (const int level : {9, 1, 0}) {
        for (const std::size_t chunk : {std::size_t{150'000}, std::size_t{7001}}) {
            SCOPED_TRACE("level " + std::to_string(level) + ", chunk " + std::to_string(chunk));
            const test::TempFolder folder;
            const fs::path archive = folder / "out.zip";
            Write_members(archive, level, kBlock, members, chunk);
            EXPECT_EQ(Unzip_test(archive), "");
            EXPECT_EQ(Stored_names(archive), "text.pbo\nempty.txt\ncaf\xc3\xa9.txt\nrandom.pbo\n");
            EXPECT_EQ(test::Read_zip(archive), expected);
        }
    }
}

TEST(ZipWriter, AMemberCutIntoBlocksIsAboutAsSmallAsOneStream) {
    const std::string text = Text(ZipWriter::kBlockSize * 5 / 2);
    DeflateBlock whole;
    whole.input.assign(text.begin(), text.end());
    whole.last = true;
    BlockDeflater(9).Deflate(whole);
    const test::TempFolder folder;
    const fs::path archive = folder / "out.zip";
    Write_members(archive, 9, ZipWriter::kBlockSize, {{"t", text}}, 1 << 20);
    constexpr std::size_t kRecords = 200;  // headers, directory and end record
    EXPECT_LE(fs::file_size(archive), whole.outputSize * 1.001 + kRecords);
}

TEST(ZipWriter, MoreThan65535EntriesGetZip64Records) {
    constexpr int kEntries = 70'000;
    const test::TempFolder folder;
    const fs::path archive = folder / "many.zip";
    Write_zip(archive, 0, ZipWriter::kBlockSize, [&](ZipWriter& zip) {
        for (int i = 0; i < kEntries; ++i) {
            Begin(zip, std::to_string(i), 1);
            zip.Write("x", 1);
        }
    });
    EXPECT_EQ(Unzip_test(archive), "");
    EXPECT_EQ(test::Read_zip(archive).size(), static_cast<std::size_t>(kEntries));
}

long Peak_kib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// 5 GB stored: past 4 GiB in the member's sizes, the next entry's offset and the directory's.
TEST(ZipWriter, AMemberOf5GBPacksInBoundedMemoryWithZip64Records) {
    constexpr std::uint64_t kSize = 5'000'000'000;
    const std::vector<char> zeros(1 << 20);
    const long before = Peak_kib();
    const test::TempFolder folder;
    const fs::path archive = folder / "large.zip";
    {
        FileSink file(archive);
        ZipWriter zip(file, 0);
        Begin(zip, "large.pbo", kSize);
        for (std::uint64_t left = kSize; left > 0;) {
            const std::size_t size = std::min<std::uint64_t>(left, zeros.size());
            zip.Write(zeros.data(), size);
            left -= size;
        }
        Begin(zip, "after.txt", 5);
        zip.Write("after", 5);
        zip.Close();
    }
    EXPECT_LE(Peak_kib() - before, 64 << 10);
    EXPECT_EQ(Stored_names(archive), "large.pbo\nafter.txt\n");
    // The update reads old archives so: through the directory, skipping the large member.
    const InputFile file(archive.wstring());
    const ReadAt read = [&file](char* buffer, std::size_t size, std::uint64_t offset) {
        return file.Read_at(buffer, size, offset);
    };
    const std::vector<ZipCentralEntry> entries = Read_zip_directory(read, file.Identity().size);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].size, kSize);
    EXPECT_EQ(entries[1].offset, Read_local_extent(read, entries[0]).length);
}

// The check before an archive replaces the old one finds what an unpacker would trip on.
TEST(ZipCheck, FindsEveryKindOfDamage) {
    const test::TempFolder folder;
    const fs::path archive = folder / "out.zip";
    Write_members(archive, 6, 64 << 10, {{"text.pbo", Text(200'000)}, {"raw", Random(70'000)}},
                  1 << 20);
    std::string good;
    {
        std::ifstream in(archive, std::ios::binary);
        good.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::size_t directory = good.rfind("PK\x01\x02"s);  // the last central record
    struct Case {
        const char* what;
        std::size_t at;  // the byte changed, or the length cut to
        bool cut;
    };
    const Case cases[] = {
        {"a deflated byte", 200, false}, {"a stored byte", directory - 10, false},
        {"a local name", 30, false},     {"a directory CRC", directory + 16, false},
        {"cut in the data", 5000, true}, {"cut before the end record", good.size() - 5, true},
    };
    std::atomic<bool> cancel{false};
    for (const Case& c : cases) {
        std::string bytes = c.cut ? good.substr(0, c.at) : good;
        if (!c.cut) {
            bytes[c.at] ^= 0x20;
        }
        const ReadAt read = [&bytes](char* buffer, std::size_t size, std::uint64_t offset) {
            const std::size_t got =
                offset >= bytes.size() ? 0 : std::min(size, bytes.size() - offset);
            std::memcpy(buffer, bytes.data() + offset, got);
            return got;
        };
        EXPECT_THROW(Check_zip(read, bytes.size(), 2, cancel), ZipDamage) << c.what;
        if (c.at == 200) {
            bytes = good;
            EXPECT_NO_THROW(Check_zip(read, bytes.size(), 2, cancel));
            EXPECT_THROW(Check_zip(read, bytes.size(), 3, cancel), ZipDamage) << "a lost entry";
        }
    }
}

}  // namespace
}  // namespace brelvik
