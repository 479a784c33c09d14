#include "packer/packrun.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <set>

#include "addonlist/listfile.h"
#include "addonlist/namekey.h"
#include "packer/memberlist.h"
#include "packer/membername.h"
#include "packer/membernames.h"
#include "packer/packfailure.h"
#include "packer/zipcheck.h"
#include "packer/zipreader.h"
#include "packer/zipwriter.h"
#include "platform/codepage.h"
#include "platform/folders.h"
#include "platform/memberfile.h"
#include "platform/pathsep.h"
#include "platform/platform_error.h"
#include "platform/replacement.h"

namespace brelvik {

namespace {

constexpr std::size_t kChunk = 1 << 20;

struct Member {
    std::wstring path;    // as named
    std::wstring source;  // the file that is read: the path, or the file its link leads to
    FileIdentity identity;
};

// A member that could not be read as it was checked: gone, unreadable, or changed. It is left
// out and the archive written again without it.
struct MemberChanged {
    std::size_t index;
    std::wstring reason;
};

const std::wstring kChanged = L"changed while it was being packed";

// A link is followed only to a file in its own folder or below: a bundle from a stranger cannot
// make the packer store, or read as a list, a private file from elsewhere.
bool Leads_out(const std::wstring& path, const FileStatus& status) {
    if (!status.link) {
        return false;
    }
    std::wstring folder = Real_path(Folder_of(path));
    if (!folder.ends_with(kPathSeparator)) {
        folder += kPathSeparator;
    }
    return !Real_path(path).starts_with(folder);
}

std::wstring Out_of_folder(const std::wstring& path) {
    return L"a link that leads out of its folder, to " + Link_target(path);
}

// The names the job asks for; a list file that cannot be read is skipped with the reason.
std::shared_ptr<MemberNames> Named_members(const PackJob& job, SkippedMembers& skipped) {
    auto names = std::make_shared<MemberNames>();
    for (const MemberArgument& member : job.members) {
        if (!member.isListFile) {
            names->Add_path(member.path);
            continue;
        }
        try {
            if (Leads_out(member.path, Status_of(member.path))) {
                skipped.Add(member.path, Out_of_folder(member.path));
                continue;
            }
            names->Add_list(member.path);
        } catch (const PlatformError& error) {
            skipped.Add(member.path, L"the list file cannot be read: " + error.System_text());
        }
    }
    return names;
}

// Why the name cannot go into an archive for Windows, or empty.
std::wstring Name_reason(const std::wstring& path) {
    if (!Listable(path)) {
        return L"its name holds a line break";
    }
    return Unstorable_reason(Bare_name(path));
}

// Why a named file cannot be packed at all, as far as its name and kind tell, or empty.
std::wstring Unpackable_reason(const std::wstring& path) {
    if (std::wstring reason = Name_reason(path); !reason.empty()) {
        return reason;
    }
    const FileStatus status = Status_of(path);
    switch (status.kind) {
        case FileStatus::Kind::kMissing:
            return status.link ? L"a link to nothing" : L"not found";
        case FileStatus::Kind::kFolder:
            return L"a folder; folders are not packed";
        case FileStatus::Kind::kOther:
            return L"not a regular file";
        case FileStatus::Kind::kRegular:
            return {};
    }
    return {};
}

// Checks a member that will be packed and opens it, so that an unreadable member never
// replaces an entry of the old archive; fills in what it was when checked. Gives why it cannot
// be packed, or empty.
std::wstring Check_member(Member& member, const FileStatus& archive) {
    const FileStatus status = Status_of(member.path);
    if (Leads_out(member.path, status)) {
        return Out_of_folder(member.path);
    }
    if (archive.kind == FileStatus::Kind::kRegular && !archive.link &&
        archive.identity.device == status.identity.device &&
        archive.identity.inode == status.identity.inode) {
        return L"the archive itself";
    }
    member.source = status.link ? Real_path(member.path) : member.path;
    member.identity = InputFile(member.source).Identity();
    return {};
}

template <typename Check>
std::wstring Reason_of(Check check) {
    try {
        return check();
    } catch (const PlatformError& error) {
        return error.System_text();
    }
}

// The members to pack, in the order named, each once. Names are checked in two rounds, so that
// only the files that will be packed are held as paths: a list of millions of names that are
// missing, or that name one file again and again, costs a few bytes a name.
std::vector<Member> Packable_members(const PackJob& job, PackResult& result,
                                     const PackProgress& progress) {
    const std::shared_ptr<MemberNames> names = Named_members(job, result.skipped);
    const auto pathOf = [names](std::uint64_t ref) { return names->Path(ref); };
    result.skipped.Name_paths(pathOf);
    std::vector<NamedMember> present;
    names->For_each([&](MemberNames::Ref ref) {
        if (progress.cancel) {
            throw PackFailure(L"Packing was cancelled.");
        }
        const std::wstring path = names->Path(ref);
        const std::wstring reason = Reason_of([&] { return Unpackable_reason(path); });
        if (reason.empty()) {
            present.push_back(Named_member(path, ref));
        } else {
            result.skipped.Add_named(ref, reason);
        }
    });
    std::vector<std::uint64_t> winners;
    Resolve_duplicates(
        present, pathOf, [&](std::uint64_t ref) { winners.push_back(ref); },
        [&](std::uint64_t ref, std::uint64_t winner) {
            result.skipped.Add_named(
                ref, L"left out for " + names->Path(winner) + L", which has the same name");
        });
    std::ranges::sort(winners);
    const FileStatus archive = Status_of(job.archivePath);
    std::vector<Member> members;
    for (const std::uint64_t ref : winners) {
        Member member{names->Path(ref), {}, {}};
        const std::wstring reason = Reason_of([&] { return Check_member(member, archive); });
        if (reason.empty()) {
            members.push_back(std::move(member));
        } else {
            result.skipped.Add_named(ref, reason);
        }
    }
    return members;
}

// Only a file at the archive's path that holds anything is an old archive to update: a link
// there is replaced, and what it leads to is neither read nor written; an empty file is none.
bool Old_archive(const FileStatus& archive) {
    return archive.kind == FileStatus::Kind::kRegular && !archive.link && archive.identity.size > 0;
}

void Advance(PackProgress& progress, std::uint64_t bytes) {
    progress.done += bytes;
    if (progress.cancel) {
        throw PackFailure(L"Packing was cancelled.");
    }
}

// The archive being written: the replacement of the old one.
class ReplacementSink : public ZipSink {
  public:
    ReplacementSink(FileReplacement& file, const std::wstring& path) : file_(file), path_(path) {}
    // A failed write is the archive's failure, never a member's.
    void Write_at(const char* data, std::size_t size, std::uint64_t offset) override {
        try {
            file_.Write_at(data, size, offset);
        } catch (const PlatformError& error) {
            throw PackFailure(L"Cannot write " + path_ + L": " + error.System_text() + L".");
        }
        end_ = std::max(end_, offset + size);
    }
    std::uint64_t End() const { return end_; }
    void Restart() {
        file_.Truncate();
        end_ = 0;
    }

  private:
    FileReplacement& file_;
    const std::wstring& path_;
    std::uint64_t end_ = 0;
};

// The old archive and the entries of it that stay.
class OldArchive {
  public:
    explicit OldArchive(const std::wstring& path) : path_(path), file_(path) {
        try {
            entries_ = Read_zip_directory(Reader(), file_.Identity().size);
        } catch (const ZipDamage& damage) {
            throw PackFailure(path_ + L" cannot be read as a zip archive: " + damage.reason + L".");
        }
    }

    ReadAt Reader() const {
        return [this](char* buffer, std::size_t size, std::uint64_t offset) {
            return file_.Read_at(buffer, size, offset);
        };
    }

    // The entries no new member replaces: none of the texts its name may stand for is the name
    // of a new member, as Windows compares names.
    std::vector<const ZipCentralEntry*> Kept(const std::set<std::wstring>& replaced) const {
        std::vector<const ZipCentralEntry*> kept;
        for (const ZipCentralEntry& entry : entries_) {
            const std::vector<std::wstring> readings = Entry_name_readings(entry);
            if (std::ranges::none_of(readings, [&](const std::wstring& name) {
                    return replaced.contains(Same_name_key(name));
                })) {
                kept.push_back(&entry);
            }
        }
        return kept;
    }

    LocalExtent Extent(const ZipCentralEntry& entry) const {
        try {
            return Read_local_extent(Reader(), entry);
        } catch (const ZipDamage& damage) {
            throw PackFailure(path_ + L" cannot be read as a zip archive: " + damage.reason + L".");
        }
    }

    const std::wstring& Path() const { return path_; }

  private:
    std::wstring path_;
    InputFile file_;
    std::vector<ZipCentralEntry> entries_;
};

// The pack that writes one archive: old entries that no new member replaces, then the members.
class ArchivePack {
  public:
    ArchivePack(const PackJob& job, std::vector<Member> members, PackProgress& progress,
                PackResult& result)
        : job_(job), members_(std::move(members)), progress_(progress), result_(result) {}

    void Run(bool update) {
        if (update) {
            old_.emplace(job_.archivePath);
        }
        FileReplacement replacement(job_.archivePath);
        ReplacementSink sink(replacement, job_.archivePath);
        while (!Try_writing(sink)) {
            if (members_.empty()) {
                throw PackFailure(L"None of the files named could be packed.");
            }
            sink.Restart();
        }
        Verify(replacement, sink.End());
        old_.reset();  // Windows replaces no file that is still open
        replacement.Commit();
    }

  private:
    // Writes the whole archive; false when a member changed, which is then left out.
    bool Try_writing(ReplacementSink& sink) {
        try {
            Write_archive(sink);
            return true;
        } catch (const MemberChanged& changed) {
            result_.skipped.Add(members_[changed.index].path, changed.reason);
            members_.erase(members_.begin() + static_cast<std::ptrdiff_t>(changed.index));
            return false;
        }
    }

    void Write_archive(ReplacementSink& sink) {
        std::set<std::wstring> replaced;
        for (const Member& member : members_) {
            replaced.insert(Member_key(member.path));  // the name it is stored under
        }
        const std::vector<const ZipCentralEntry*> kept =
            old_ ? old_->Kept(replaced) : std::vector<const ZipCentralEntry*>();
        result_.packed.clear();
        result_.kept = 0;
        progress_.done = 0;
        progress_.total = Member_bytes() + Kept_bytes(kept);
        ZipWriter zip(sink, job_.level);
        for (const ZipCentralEntry* entry : kept) {
            Copy_kept(*entry, zip);
        }
        for (std::size_t i = 0; i < members_.size(); ++i) {
            Pack_member(i, zip);
        }
        zip.Close();
        entries_ = zip.Entries();
    }

    std::uint64_t Member_bytes() const {
        std::uint64_t bytes = 0;
        for (const Member& member : members_) {
            bytes += member.identity.size;
        }
        return bytes;
    }

    static std::uint64_t Kept_bytes(const std::vector<const ZipCentralEntry*>& kept) {
        std::uint64_t bytes = 0;
        for (const ZipCentralEntry* entry : kept) {
            bytes += entry->compressedSize;
        }
        return bytes;
    }

    // Header, data and descriptor as they are stored.
    void Copy_kept(const ZipCentralEntry& entry, ZipWriter& zip) {
        const LocalExtent extent = old_->Extent(entry);
        zip.Begin_copy(entry);
        const ReadAt read = old_->Reader();
        for (std::uint64_t done = 0; done < extent.length;) {
            const std::size_t want = std::min<std::uint64_t>(buffer_.size(), extent.length - done);
            const std::size_t got = read(buffer_.data(), want, entry.offset + done);
            if (got == 0) {
                throw PackFailure(old_->Path() +
                                  L" cannot be read as a zip archive: it ends before its data do.");
            }
            zip.Copy(buffer_.data(), got);
            done += got;
            Advance(progress_, got);
        }
        ++result_.kept;
    }

    // The member is read from the file that was checked, opened without following a link or
    // waiting, and must be the same file with the same content before and after.
    void Pack_member(std::size_t index, ZipWriter& zip) {
        const Member& member = members_[index];
        try {
            InputFile file(member.source);
            if (!file.Identity().Same_content(member.identity)) {
                throw MemberChanged{index, kChanged};
            }
            zip.Begin_entry(Member_entry(member));
            std::uint64_t left = member.identity.size;
            while (left > 0) {
                const std::size_t read =
                    file.Read(buffer_.data(), std::min<std::uint64_t>(left, buffer_.size()));
                if (read == 0) {
                    throw MemberChanged{index, kChanged};
                }
                zip.Write(buffer_.data(), read);
                left -= read;
                Advance(progress_, read);
            }
            if (file.Read(buffer_.data(), 1) != 0 ||
                !file.Identity().Same_content(member.identity)) {
                throw MemberChanged{index, kChanged};
            }
        } catch (const PlatformError& error) {
            throw MemberChanged{index, L"could not be read any more: " + error.System_text()};
        }
        result_.packed.push_back(member.path);
    }

    // A name whose bytes are no UTF-8 (the system keeps such bytes as U+DC80..U+DCFF) is stored
    // as those bytes, unmarked, as zip tools store names of an unknown code page: nothing is
    // turned into a replacement character.
    static NewEntry Member_entry(const Member& member) {
        const std::wstring_view name = Bare_name(member.path);
        const bool utf8 =
            std::ranges::none_of(name, [](wchar_t c) { return c >= 0xDC80 && c <= 0xDCFF; });
        return {utf8 ? To_utf8(name) : To_native(name), utf8, member.identity.modified,
                member.identity.size};
    }

    // Read back before it replaces anything: a fault of the writer, the disk or the memory
    // must never cost the user the archive they had.
    void Verify(const FileReplacement& file, std::uint64_t size) {
        const ReadAt read = [&file](char* buffer, std::size_t want, std::uint64_t offset) {
            return file.Read_at(buffer, want, offset);
        };
        try {
            Check_zip(read, size, entries_, progress_.cancel);
        } catch (const ZipDamage& damage) {
            throw PackFailure(L"The new archive failed its check: " + damage.reason + L".");
        }
        if (progress_.cancel) {
            throw PackFailure(L"Packing was cancelled.");
        }
    }

    const PackJob& job_;
    std::vector<Member> members_;
    PackProgress& progress_;
    PackResult& result_;
    std::optional<OldArchive> old_;
    std::uint64_t entries_ = 0;
    std::vector<char> buffer_ = std::vector<char>(kChunk);
};

std::wstring Unchanged_note(const std::wstring& archivePath, bool existed) {
    return existed ? L" " + archivePath + L" was left unchanged." : L" No archive was made.";
}

}  // namespace

PackResult Run_pack(const PackJob& job, PackProgress& progress) {
    PackResult result;
    result.archivePath = job.archivePath;
    bool existed = false;
    try {
        const FileStatus archive = Status_of(job.archivePath);
        existed = archive.kind != FileStatus::Kind::kMissing || archive.link;
        std::vector<Member> members = Packable_members(job, result, progress);
        if (members.empty()) {
            throw PackFailure(L"None of the files named could be packed.");
        }
        ArchivePack(job, std::move(members), progress, result).Run(Old_archive(archive));
    } catch (const PackFailure& failure) {
        result.failure = failure.Message() + Unchanged_note(job.archivePath, existed);
    } catch (const PlatformError& error) {
        result.failure = L"Cannot write " + job.archivePath + L": " + error.System_text() + L"." +
                         Unchanged_note(job.archivePath, existed);
    } catch (const std::exception& error) {
        result.failure = From_native(error.what()) + Unchanged_note(job.archivePath, existed);
    }
    if (!result.failure.empty()) {
        result.packed.clear();
        result.kept = 0;
    }
    return result;
}

PackResult Pack_command(const ParsedArguments& parsed, PackProgress& progress) {
    if (const auto* message = std::get_if<std::wstring>(&parsed)) {
        PackResult refused;
        refused.failure = *message;
        return refused;
    }
    return Run_pack(std::get<PackJob>(parsed), progress);
}

}  // namespace brelvik
