// Runs the built brelvik-pack as the window starts it, in temporary folders, and reads the
// archives it makes back with libarchive.

#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "packer/zipreader.h"
#include "tests/support/mount_faults.h"
#include "tests/support/temp_folder.h"
#include "tests/zip_reading.h"

namespace brelvik {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Entries = test::ZipEntries;
using test::Read_zip;

const fs::path kPackProgram = BRELVIK_PACK_PROGRAM;
const fs::path kWzzipProgram = kPackProgram.parent_path() / "wzzip.exe";
const std::vector<std::string> kRarSwitches = {"a", "-o+", "-ed", "-ep", "-ibck", "-afzip", "-m5"};

struct Outcome {
    int exitCode = -1;
    std::string report;  // standard error
    long peakKib = 0;    // where known
};

QProcess* Start(const fs::path& program, const std::vector<std::string>& arguments) {
    auto* process = new QProcess;
    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("BRELVIK_PACK_NO_WINDOW", "1");
    process->setProcessEnvironment(environment);
    process->start(QString::fromStdString(program.string()), list);
    EXPECT_TRUE(process->waitForStarted());
    return process;
}

Outcome Pack(const fs::path& program, const std::vector<std::string>& arguments) {
    std::unique_ptr<QProcess> process(Start(program, arguments));
    EXPECT_TRUE(process->waitForFinished(120000));
    return {process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1,
            process->readAllStandardError().toStdString()};
}

// Started without any toolkit in between, so that arguments reach the packer as the bytes
// given, UTF-8 or not.
Outcome Pack_bytes(const fs::path& program, const std::vector<std::string>& arguments) {
    int error[2];
    EXPECT_EQ(pipe(error), 0);
    // A child's peak counts what it had from this process when forked: give back what is free.
    malloc_trim(0);
    const pid_t child = fork();
    if (child == 0) {
        dup2(error[1], 2);
        std::vector<char*> argv = {const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        setenv("BRELVIK_PACK_NO_WINDOW", "1", 1);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(error[1]);
    Outcome outcome;
    char buffer[4096];
    for (ssize_t got; (got = read(error[0], buffer, sizeof buffer)) > 0;) {
        outcome.report.append(buffer, static_cast<std::size_t>(got));
    }
    close(error[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.peakKib = usage.ru_maxrss;
    return outcome;
}

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Random_bytes(std::size_t size, unsigned seed) {
    std::mt19937_64 random(seed);
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i + 8 <= size; i += 8) {
        const std::uint64_t value = random();
        std::memcpy(&bytes[i], &value, 8);
    }
    return bytes;
}

// The central directory of an archive, read as the packer reads old archives.
std::vector<ZipCentralEntry> Directory(const std::string& bytes) {
    const ReadAt read = [&bytes](char* buffer, std::size_t size, std::uint64_t offset) {
        const std::size_t got = offset >= bytes.size() ? 0 : std::min(size, bytes.size() - offset);
        std::memcpy(buffer, bytes.data() + offset, got);
        return got;
    };
    return Read_zip_directory(read, bytes.size());
}

std::set<std::string> Names_in(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// An add-on with its info file in a folder with a space, another file in an "others" folder
// below it, and a list file of all three as the window saves it (ANSI code page, CR LF).
class Release {
  public:
    Release() {
        Write(pbo_, "PBO\0data"s + std::string(60, 'x'));
        Write(txt_, "tank info\r\n");
        Write(readme_, "readme text");
        Write(list_, addons_ + "/tank.pbo\r\n" + addons_ + "/tank.txt\r\n\r\n/others/\r\n" +
                         addons_ + "/others/caf\xe9 readme.doc");
    }
    const fs::path& Folder() const { return folder_.Path(); }
    std::string Base() const { return addons_ + "/tank"; }
    std::string List_argument() const { return "@" + list_.string(); }
    std::string List_base() const { return (Folder() / "release.").string(); }
    Entries Addon() const { return {{"tank.pbo", Read(pbo_)}, {"tank.txt", Read(txt_)}}; }
    Entries All() const {
        Entries all = Addon();
        all["caf\xc3\xa9 readme.doc"] = Read(readme_);
        return all;
    }

  private:
    test::TempFolder folder_;
    std::string addons_ = (folder_ / "my addons").string();
    fs::path pbo_ = folder_ / "my addons" / "tank.pbo";
    fs::path txt_ = folder_ / "my addons" / "tank.txt";
    fs::path readme_ = folder_ / "my addons" / "others" / "caf\xc3\xa9 readme.doc";
    fs::path list_ = folder_ / "release.txta";
};

std::vector<std::string> Rar(std::vector<std::string> operands) {
    std::vector<std::string> arguments = kRarSwitches;
    arguments.insert(arguments.end(), operands.begin(), operands.end());
    return arguments;
}

std::vector<std::string> Wzzip(std::vector<std::string> operands) {
    operands.insert(operands.begin(), "-ex");
    return operands;
}

TEST(PackRun, TheFourZipCommandLinesMakeTheirArchives) {
    struct Case {
        const char* what;
        bool wzzip;
        bool list;
    };
    for (const Case& c :
         {Case{"wzzip single", true, false}, Case{"wzzip list", true, true},
          Case{"rar-style zip single", false, false}, Case{"rar-style zip list", false, true}}) {
        SCOPED_TRACE(c.what);
        const Release release;
        const std::string b = release.Base();
        const std::string archive = c.list ? release.List_base() + "zip" : b + ".zip";
        std::vector<std::string> operands;
        if (c.list) {
            operands = {archive, release.List_argument()};
        } else if (c.wzzip) {
            operands = {archive, b + ".pbo", b + ".txt"};
        } else {
            operands = {b, b + ".txt", b + ".pbo"};  // the archive named without extension
        }
        const Outcome run =
            c.wzzip ? Pack(kWzzipProgram, Wzzip(operands)) : Pack(kPackProgram, Rar(operands));
        EXPECT_EQ(run.exitCode, 0) << run.report;
        EXPECT_EQ(Read_zip(archive), c.list ? release.All() : release.Addon());
    }
}

TEST(PackRun, PackingAgainReplacesChangedMembersAndKeepsTheRest) {
    const Release release;
    const std::string b = release.Base();
    const std::string archive = release.List_base() + "zip";
    ASSERT_EQ(Pack(kWzzipProgram, Wzzip({archive, release.List_argument()})).exitCode, 0);
    Write(b + ".txt", "new info");

    const Outcome run = Pack(kPackProgram, Rar({archive, b + ".txt"}));

    EXPECT_EQ(run.exitCode, 0) << run.report;
    Entries expected = release.All();
    expected["tank.txt"] = "new info";
    EXPECT_EQ(Read_zip(archive), expected);
}

TEST(PackRun, MembersThatCannotBeReadAreReportedAndTheRestPacked) {
    for (const bool missing : {true, false}) {
        SCOPED_TRACE(missing ? "missing" : "unreadable");
        const Release release;
        const std::string b = release.Base();
        std::vector<std::string> arguments = Rar({b, b + ".txt", b + ".pbo"});
        if (missing) {
            fs::remove(b + ".txt");
        } else {
            // Root reads anything: the packer runs as nobody, the info file only root may read.
            fs::permissions(b + ".txt", fs::perms::owner_read | fs::perms::owner_write);
            fs::permissions(release.Folder() / "my addons", fs::perms::all);
            arguments.insert(arguments.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups",
                                                 kPackProgram.string()});
        }

        const Outcome run = Pack(missing ? kPackProgram : fs::path("setpriv"), arguments);

        EXPECT_EQ(run.exitCode, 1) << run.report;
        const std::string reason = missing ? "not found" : "Permission denied";
        EXPECT_NE(run.report.find(b + ".txt: " + reason), std::string::npos) << run.report;
        EXPECT_EQ(Read_zip(b + ".zip"), (Entries{{"tank.pbo", release.Addon().at("tank.pbo")}}));
    }
}

TEST(PackRun, OfTwoMembersWithOneNameTheLaterWins) {
    const Release release;
    const fs::path other = release.Folder() / "other" / "TANK.txt";
    Write(other, "the later one");
    const std::string archive = (release.Folder() / "out.zip").string();

    const Outcome run =
        Pack(kWzzipProgram, Wzzip({archive, release.Base() + ".txt", other.string()}));

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.report.find("same name"), std::string::npos) << run.report;
    EXPECT_EQ(Read_zip(archive), (Entries{{"TANK.txt", "the later one"}}));
}

TEST(PackRun, WhatCannotBePackedLeavesTheFolderAsItWas) {
    struct Case {
        const char* what;
        std::vector<std::string> arguments;  // "%" stands for the release's folder
        const char* report;
    };
    const Case cases[] = {
        {"rar, single",
         {"a", "-afrar", "-m5", "%/my addons/tank", "%/my addons/tank.txt"},
         "no RAR writer"},
        {"rar, list", {"a", "-afrar", "%/release.rar", "@%/release.txta"}, "Choose Zip"},
        {"self-extracting", {"s", "%/release.rar"}, "self-extracting archive: no RAR writer"},
        {"unknown form", {"x", "%/release.zip", "%/release.txta"}, "Usage:"},
        {"nothing to pack", {"-ex", "%/release.zip", "%/gone.pbo"}, "%/gone.pbo: not found"},
        {"list file missing", {"-ex", "%/release.zip", "@%/gone.txta"}, "%/gone.txta"},
        {"target is no zip", {"-ex", "%/notes.zip", "%/release.txta"}, "cannot be read as a zip"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Release release;
        Write(release.Folder() / "notes.zip", "not a zip archive");
        const auto replace = [&](std::string text) {
            for (std::size_t at; (at = text.find('%')) != std::string::npos;) {
                text.replace(at, 1, release.Folder().string());
            }
            return text;
        };
        std::vector<std::string> arguments;
        for (const std::string& argument : c.arguments) {
            arguments.push_back(replace(argument));
        }
        const std::set<std::string> before = Names_in(release.Folder());

        const Outcome run = Pack(kPackProgram, arguments);

        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.report.find(replace(c.report)), std::string::npos) << run.report;
        EXPECT_EQ(Names_in(release.Folder()), before);
        EXPECT_EQ(Read(release.Folder() / "notes.zip"), "not a zip archive");
    }
}

// The read position of the process's descriptor for path, or -1 while it has none.
long long Read_position(qint64 pid, const fs::path& path) {
    const fs::path descriptors = "/proc/" + std::to_string(pid) + "/fd";
    std::error_code error;
    for (const fs::directory_entry& fd : fs::directory_iterator(descriptors, error)) {
        if (fs::read_symlink(fd.path(), error) == path) {
            std::ifstream info("/proc/" + std::to_string(pid) + "/fdinfo/" +
                               fd.path().filename().string());
            std::string key;
            long long position = -1;
            info >> key >> position;
            return position;
        }
    }
    return -1;
}

TEST(PackRun, APackKilledHalfwayLeavesTheOldArchiveWhole) {
    const Release release;
    const std::string archive = release.List_base() + "zip";
    ASSERT_EQ(Pack(kWzzipProgram, Wzzip({archive, release.List_argument()})).exitCode, 0);
    const std::string old = Read(archive);
    const fs::path large = release.Folder() / "large.pbo";
    constexpr std::size_t kLarge = 96 << 20;
    Write(large, Random_bytes(kLarge, 7));
    const std::set<std::string> before = Names_in(release.Folder());

    std::unique_ptr<QProcess> process(Start(kWzzipProgram, Wzzip({archive, large.string()})));
    long long position = -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (position <= 0 && std::chrono::steady_clock::now() < deadline &&
           !process->waitForFinished(1)) {
        position = Read_position(process->processId(), large);
    }
    process->kill();
    process->waitForFinished();

    ASSERT_GT(position, 0) << "the pack ended before it was killed";
    EXPECT_LT(position, static_cast<long long>(kLarge));
    EXPECT_EQ(Read(archive), old);
    EXPECT_EQ(Names_in(release.Folder()), before);
}

// Bundles from strangers: names and links that would reach past what the user chose are
// skipped with a reason, and nothing of the private file reaches the archive. The list names
// the add-on relative to its own folder, which is not the packer's working folder.
TEST(PackRun, HostileNamesAndLinksStayOutOfTheArchive) {
    struct Case {
        const char* what;
        std::string name;  // in the add-on folder
        bool create;
        const char* report;
        // Where tank.txt links to: a sibling whose name starts as the add-on folder's is out too.
        const char* link = "../private/id_rsa";
    };
    const Case cases[] = {
        {"a line break", "x\n../private/id_rsa", false, "x\n"},
        {"a link out of its folder", "tank.txt", false, "leads out of its folder"},
        {"a link into a sibling folder", "tank.txt", false, "leads out of its folder",
         "../my addons-private/id_rsa"},
        {"a backslash", "..\\..\\evil.bat", true, "which Windows does not allow"},
        {"a drive", "C:\\Windows\\x.dll", true, "which Windows does not allow"},
        {"a device", "CON.txt", true, "a device name on Windows"},
        {"a trailing dot", "tank.", true, "ends in a dot or a space"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Release release;
        const fs::path addons = release.Folder() / "my addons";
        Write(release.Folder() / "private" / "id_rsa", "PRIVATE KEY");
        Write(release.Folder() / "my addons-private" / "id_rsa", "PRIVATE KEY");
        fs::remove(addons / "tank.txt");
        fs::create_symlink(c.link, addons / "tank.txt");
        const fs::path member = addons / c.name;
        if (c.create) {
            Write(member, "bad");
        }
        const fs::path list = addons / "lists" / "release.txta";
        Write(list, "../tank.pbo\r\n" + member.string());
        const std::string archive = (release.Folder() / "release.zip").string();

        const Outcome run = Pack(kWzzipProgram, Wzzip({archive, "@" + list.string()}));

        EXPECT_EQ(run.exitCode, 1) << run.report;
        EXPECT_NE(run.report.find(member.string() + ": "), std::string::npos) << run.report;
        EXPECT_NE(run.report.find(c.report), std::string::npos) << run.report;
        EXPECT_EQ(Read_zip(archive), (Entries{{"tank.pbo", release.Addon().at("tank.pbo")}}));
    }
}

// Links that stay inside their folder are followed; a link at the archive's path, dangling or
// not, is replaced by the archive, and what it points at is neither read nor written. An
// archive named as long as the system allows can be updated.
TEST(PackRun, LinksInsideTheFolderAreFollowedAndTheArchiveReplacesALink) {
    const Release release;
    const fs::path addons = release.Folder() / "my addons";
    fs::create_symlink("tank.txt", addons / "notes.txt");
    const fs::path victim = release.Folder() / "victim";
    fs::create_directories(victim);
    Write(victim / "old.zip", "not a zip archive");
    fs::create_symlink(victim / "autostart.zip", addons / "release.zip");
    fs::create_symlink(victim / "old.zip", addons / "again.zip");

    // Packed twice, so that the second pack updates; the longest name the system allows too.
    const std::string longest = std::string(251, 'x') + ".zip";
    for (const std::string& name : {"release.zip"s, "again.zip"s, longest, longest}) {
        SCOPED_TRACE(name.substr(0, 12));
        const fs::path archive = addons / name;
        const Outcome run =
            Pack(kWzzipProgram, Wzzip({archive.string(), (addons / "notes.txt").string()}));
        EXPECT_EQ(run.exitCode, 0) << run.report;
        EXPECT_FALSE(fs::is_symlink(archive));
        EXPECT_EQ(Read_zip(archive.string()), (Entries{{"notes.txt", "tank info\r\n"}}));
    }
    EXPECT_EQ(Names_in(victim), std::set<std::string>{"old.zip"});
    EXPECT_EQ(Read(victim / "old.zip"), "not a zip archive");
}

TEST(PackRun, AFailedWriteLeavesTheOldArchiveWhole) {
    const Release release;
    const fs::path small = release.Folder() / "small disk";
    fs::create_directories(small);
    if (!test::Mount_tiny_tmpfs(small, 256 << 10)) {
        GTEST_SKIP() << "no tmpfs can be mounted here";
    }
    test::ScopedMount mounted(small);
    const std::string archive = (small / "release.zip").string();
    ASSERT_EQ(Pack(kWzzipProgram, Wzzip({archive, release.List_argument()})).exitCode, 0);
    const std::string old = Read(archive);
    const fs::path large = release.Folder() / "large.pbo";
    Write(large, Random_bytes(1 << 20, 3));

    const Outcome run = Pack(kWzzipProgram, Wzzip({archive, large.string()}));

    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.report.find("No space left on device. " + archive + " was left unchanged"),
              std::string::npos)
        << run.report;
    EXPECT_EQ(Read(archive), old);
    EXPECT_EQ(Names_in(small), std::set<std::string>{"release.zip"});
}

// An entry as an older tool stored it, with nothing the packer would write itself.
struct StoredEntry {
    std::string name;
    std::uint16_t flags;
    std::string extra;
    std::uint32_t attributes;  // external, Unix mode in the high half
    std::string data;
};

std::string Le(std::uint64_t value, int width) {
    std::string bytes;
    for (int i = 0; i < width; ++i) {
        bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    }
    return bytes;
}

// A stored zip archive of the entries, dated 2001-02-03 04:05:06; gives each entry's local bytes.
std::string Hand_made_zip(const std::vector<StoredEntry>& entries,
                          std::vector<std::string>& locals) {
    std::string archive, directory;
    for (const StoredEntry& e : entries) {
        const auto crc = crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), e.data.size());
        const std::string common = Le(e.flags, 2) + Le(0, 2) + Le(0x2083, 2) + Le(0x2A43, 2) +
                                   Le(crc, 4) + Le(e.data.size(), 4) + Le(e.data.size(), 4) +
                                   Le(e.name.size(), 2) + Le(e.extra.size(), 2);
        locals.push_back(Le(0x04034b50, 4) + Le(10, 2) + common + e.name + e.extra + e.data);
        directory += Le(0x02014b50, 4) + Le(0x0314, 2) + Le(10, 2) + common + Le(0, 6) +
                     Le(e.attributes, 4) + Le(archive.size(), 4) + e.name + e.extra;
        archive += locals.back();
    }
    return archive + directory + Le(0x06054b50, 4) + Le(0, 4) + Le(entries.size(), 2) +
           Le(entries.size(), 2) + Le(directory.size(), 4) + Le(archive.size(), 4) + Le(0, 2);
}

// Entries of an older archive that no member replaces keep every byte but their offset: a name
// in a DOS code page, a link, a folder, foreign extra fields.
TEST(PackRun, KeptEntriesAreCopiedAsTheyAreStored) {
    const Release release;
    const std::string archive = release.Base() + ".zip";
    const std::vector<StoredEntry> old = {
        {"TANK.TXT", 0, "", 0100644u << 16, "old info"},
        {"caf\x82.txt", 0, Le(0xCAFE, 2) + Le(3, 2) + "abc", 0100600u << 16, "DOS named"},
        {"link", 0, "", 0120777u << 16, "caf\x82.txt"},
        {"dir/", 0, "", 040755u << 16 | 0x10, ""},
        {"caf\xc3\xa9.txt", 1 << 11, "", 0100644u << 16, "UTF-8 named"},
    };
    std::vector<std::string> locals;
    Write(archive, Hand_made_zip(old, locals));
    const std::vector<ZipCentralEntry> before = Directory(Read(archive));

    const Outcome run = Pack(kWzzipProgram, Wzzip({archive, release.Base() + ".txt"}));

    EXPECT_EQ(run.exitCode, 0) << run.report;
    const std::string bytes = Read(archive);
    const std::vector<ZipCentralEntry> after = Directory(bytes);
    ASSERT_EQ(after.size(), old.size());
    for (std::size_t i = 1; i < old.size(); ++i) {
        SCOPED_TRACE(old[i].name);
        const ZipCentralEntry& kept = after[i - 1];
        EXPECT_EQ(kept.record.substr(0, 42), before[i].record.substr(0, 42));
        EXPECT_EQ(kept.record.substr(46), before[i].record.substr(46));
        EXPECT_EQ(bytes.substr(kept.offset, locals[i].size()), locals[i]);
    }
    EXPECT_EQ(after.back().name, "tank.txt");
}

// A member that changes or turns into a named pipe while the pack runs is left out with the
// reason; nothing torn is stored and nothing waits for a writer.
TEST(PackRun, AMemberThatChangesWhileItIsReadIsSkipped) {
    struct Case {
        const char* what;
        bool pipe;  // the info file is replaced by a pipe, else the large member changes
        bool sameSize;
    };
    for (const Case& c :
         {Case{"cut short", false, false}, Case{"rewritten at its size", false, true},
          Case{"replaced by a pipe", true, false}}) {
        SCOPED_TRACE(c.what);
        const Release release;
        const std::string archive = release.List_base() + "zip";
        const fs::path large = release.Folder() / "large.pbo";
        constexpr std::size_t kLarge = 96 << 20;
        Write(large, Random_bytes(kLarge, 5));
        const std::string info = release.Base() + ".txt";
        const Entries addon = release.Addon();

        std::unique_ptr<QProcess> process(
            Start(kWzzipProgram, Wzzip({archive, large.string(), info, release.Base() + ".pbo"})));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (Read_position(process->processId(), large) <= 0 &&
               std::chrono::steady_clock::now() < deadline && !process->waitForFinished(1)) {
        }
        if (c.pipe) {
            fs::remove(info);
            ASSERT_EQ(mkfifo(info.c_str(), 0644), 0);
        } else if (c.sameSize) {
            std::fstream(large, std::ios::in | std::ios::out | std::ios::binary) << "torn";
        } else {
            fs::resize_file(large, 1 << 20);
        }
        ASSERT_TRUE(process->waitForFinished(60000)) << "the pack hangs";

        const std::string report = process->readAllStandardError().toStdString();
        EXPECT_EQ(process->exitCode(), 1) << report;
        const std::string changed = c.pipe
                                        ? info + ": could not be read any more: not a regular file"
                                        : large.string() + ": changed while it was being packed";
        EXPECT_NE(report.find(changed), std::string::npos) << report;
        const Entries expected =
            c.pipe ? Entries{{"tank.pbo", addon.at("tank.pbo")}, {"large.pbo", Read(large)}}
                   : addon;
        EXPECT_EQ(Read_zip(archive), expected);
    }
}

// Files of every date, names and folders that are not UTF-8, an empty zip or an empty file at
// the archive's path, and list entries that look like the program's own resources.
TEST(PackRun, LegacyInputsArePackedAsTheyAre) {
    const Release release;
    const fs::path folder =
        release.Folder() / "caf\xe9";  // Windows-1252 bytes, unpacked as they were
    Write(folder / "tank.pbo", "pbo");
    Write(folder / "\xe9t\xe9.txt", "latin-1 named");
    Write(folder / ":" / "icon.png", "not the program's icon");
    Write(folder / "list.txta", "tank.pbo\r\n:/icon.png\r\n");
    const struct timeval epoch[2] = {{0, 0}, {0, 0}};
    ASSERT_EQ(utimes((folder / "tank.pbo").c_str(), epoch), 0);
    const struct timeval future[2] = {{7258118400, 0}, {7258118400, 0}};  // 2200
    ASSERT_EQ(utimes((folder / ":" / "icon.png").c_str(), future), 0);
    for (const char* old : {"", "PK\x05\x06"}) {
        SCOPED_TRACE(*old ? "an empty zip" : "an empty file");
        const fs::path archive = folder / "out.zip";
        Write(archive, *old ? std::string(old) + std::string(18, '\0') : "");

        const Outcome run = Pack_bytes(
            kWzzipProgram, Wzzip({archive.string(), "@" + (folder / "list.txta").string(),
                                  (folder / "\xe9t\xe9.txt").string()}));

        EXPECT_EQ(run.exitCode, 0) << run.report;
        const std::vector<ZipCentralEntry> entries = Directory(Read(archive));
        ASSERT_EQ(entries.size(), 3u) << run.report;
        const std::pair<std::string, std::uint32_t> expected[] = {
            {"tank.pbo", 0x00210000}, {"icon.png", 0xFF9FBF7D}, {"\xe9t\xe9.txt", 0}};
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(entries[i].name, expected[i].first);
            const std::uint32_t dosTime =
                static_cast<std::uint32_t>(Field(entries[i].record, 12, 4));
            if (expected[i].second != 0) {
                EXPECT_EQ(dosTime, expected[i].second) << entries[i].name;
            }
        }
        EXPECT_EQ(entries[2].flags & (1 << 11), 0) << "an unknown encoding marked UTF-8";
    }
}

// However many names a list holds, the packer needs little more memory than the list's size:
// names that are missing, and one file named again and again.
TEST(PackRun, AListOfManyNamesPacksInBoundedMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer's shadow memory and quarantine say nothing of the packer's";
#endif
    constexpr int kNames = 300'000;
    for (const bool missing : {true, false}) {
        SCOPED_TRACE(missing ? "missing" : "one file again");
        const Release release;
        std::string list;
        for (int i = 0; i < kNames; ++i) {
            list += missing ? "m" + std::to_string(i) + "\r\n" : "my addons/tank.pbo\r\n";
        }
        Write(release.Folder() / "many.txta", list);
        const std::string archive = (release.Folder() / "many.zip").string();

        const Outcome run =
            Pack_bytes(kWzzipProgram, Wzzip({archive, release.Base() + ".txt",
                                             "@" + (release.Folder() / "many.txta").string()}));

        EXPECT_EQ(run.exitCode, missing ? 1 : 0) << run.report.substr(0, 300);
        EXPECT_LE(run.peakKib, (64 << 10) + 3 * static_cast<long>(list.size()) / 1024);
        EXPECT_EQ(Read_zip(archive).size(), missing ? 1u : 2u);
    }
}

}  // namespace
}  // namespace brelvik
