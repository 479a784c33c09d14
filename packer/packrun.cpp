#include "packer/packrun.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <set>

#include "packer/folding.h"
#include "packer/memberlist.h"
#include "packer/packfailure.h"
#include "packer/zipreader.h"
#include "packer/zipwriter.h"
#include "platform/platform_error.h"

namespace brelvik {

namespace {

constexpr std::size_t kChunk = 1 << 20;

struct Member {
    std::wstring path;
    QFileInfo info;
};

QString Q(const std::wstring& text) {
    return QString::fromStdWString(text);
}

std::vector<std::wstring> Named_members(const PackJob& job, std::vector<SkippedMember>& skipped) {
    std::vector<std::wstring> paths;
    for (const MemberArgument& member : job.members) {
        if (!member.isListFile) {
            paths.push_back(member.path);
            continue;
        }
        try {
            const std::vector<std::wstring> listed = Read_list_members(member.path);
            paths.insert(paths.end(), listed.begin(), listed.end());
        } catch (const PlatformError& error) {
            skipped.push_back(
                {member.path, L"the list file cannot be read: " + error.System_text()});
        }
    }
    return paths;
}

std::wstring Unpackable_reason(const QFileInfo& member, const QFileInfo& archive) {
    if (!member.exists()) {
        return L"not found";
    }
    if (member.isDir()) {
        return L"a folder; folders are not packed";
    }
    if (!member.isFile()) {
        return L"not a regular file";
    }
    if (archive.exists() && member.canonicalFilePath() == archive.canonicalFilePath()) {
        return L"the archive itself";
    }
    // Tried now, so that an unreadable member never replaces an entry of the old archive.
    if (QFile file(member.filePath()); !file.open(QIODevice::ReadOnly)) {
        return file.errorString().toStdWString();
    }
    return {};
}

std::vector<Member> Packable_members(const PackJob& job, PackResult& result) {
    const QFileInfo archive(Q(job.archivePath));
    std::vector<std::wstring> present;
    for (const std::wstring& path : Named_members(job, result.skipped)) {
        const std::wstring reason = Unpackable_reason(QFileInfo(Q(path)), archive);
        if (reason.empty()) {
            present.push_back(path);
        } else {
            result.skipped.push_back({path, reason});
        }
    }
    const DistinctMembers distinct = Distinct_members(present);
    for (const DistinctMembers::Dropped& dropped : distinct.dropped) {
        result.skipped.push_back(
            {dropped.path, L"left out for " + dropped.replacedBy + L", which has the same name"});
    }
    std::vector<Member> members;
    for (const std::wstring& path : distinct.kept) {
        members.push_back({path, QFileInfo(Q(path))});
    }
    return members;
}

void Advance(PackProgress& progress, std::uint64_t bytes) {
    progress.done += bytes;
    if (progress.cancel) {
        throw PackFailure(L"Packing was cancelled.");
    }
}

// The pack that writes one archive: old entries that no new member replaces, then the members.
class ArchivePack {
  public:
    ArchivePack(const PackJob& job, std::vector<Member> members, PackProgress& progress,
                PackResult& result)
        : job_(job), members_(std::move(members)), progress_(progress), result_(result) {
        for (const Member& member : members_) {
            replaced_.insert(Ascii_folded(Bare_name(member.path)));
        }
    }

    void Run() {
        const bool update = QFileInfo::exists(Q(job_.archivePath));
        progress_.total = Member_bytes() + (update ? Kept_bytes() : 0);
        // Unbuffered, so that a failed write reports its cause (a full disk, say) at once.
        QSaveFile file(Q(job_.archivePath));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            throw PackFailure(L"Cannot write " + job_.archivePath + L": " +
                              file.errorString().toStdWString());
        }
        ZipWriter zip(file, job_.level);
        if (update) {
            Copy_kept(zip);
        }
        for (const Member& member : members_) {
            Pack_member(member, zip);
        }
        zip.Close();
        if (!file.commit()) {
            throw PackFailure(L"Cannot write " + job_.archivePath + L": " +
                              file.errorString().toStdWString());
        }
    }

  private:
    std::uint64_t Member_bytes() const {
        std::uint64_t bytes = 0;
        for (const Member& member : members_) {
            bytes += member.info.size();
        }
        return bytes;
    }

    // Calls use(entry) for each entry of the old archive that stays.
    template <typename Use>
    void For_kept_entries(ZipReader& old, Use use) const {
        while (archive_entry* entry = old.Next()) {
            if (!replaced_.contains(Ascii_folded(Entry_name(entry)))) {
                use(entry);
            }
        }
    }

    std::uint64_t Kept_bytes() const {
        ZipReader old(job_.archivePath);
        std::uint64_t bytes = 0;
        For_kept_entries(old, [&](archive_entry* entry) { bytes += archive_entry_size(entry); });
        return bytes;
    }

    void Copy_kept(ZipWriter& zip) {
        ZipReader old(job_.archivePath);
        For_kept_entries(old, [&](archive_entry* entry) {
            zip.Begin_entry(entry);
            while (const std::size_t read = old.Read(buffer_.data(), buffer_.size())) {
                zip.Write(buffer_.data(), read);
                Advance(progress_, read);
            }
            ++result_.kept;
        });
    }

    void Pack_member(const Member& member, ZipWriter& zip) {
        QFile file(member.info.filePath());
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            throw Unreadable(member, file);
        }
        zip.Begin_entry(Member_entry(member).get());
        for (qint64 left = member.info.size(); left > 0;) {
            const qint64 read = file.read(buffer_.data(), std::min<qint64>(left, kChunk));
            if (read < 0) {
                throw Unreadable(member, file);
            }
            if (read == 0) {
                throw Changed(member);
            }
            zip.Write(buffer_.data(), read);
            left -= read;
            Advance(progress_, read);
        }
        if (char more; file.read(&more, 1) != 0) {
            throw Changed(member);
        }
        result_.packed.push_back(member.path);
    }

    static EntryPtr Member_entry(const Member& member) {
        EntryPtr entry(archive_entry_new());
        archive_entry_update_pathname_utf8(entry.get(),
                                           Q(Bare_name(member.path)).toUtf8().constData());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), member.info.size());
        archive_entry_set_mtime(entry.get(), member.info.lastModified().toSecsSinceEpoch(), 0);
        return entry;
    }

    static PackFailure Unreadable(const Member& member, const QFile& file) {
        return PackFailure(L"Cannot read " + member.path + L": " +
                           file.errorString().toStdWString());
    }

    static PackFailure Changed(const Member& member) {
        return PackFailure(member.path + L" changed while it was being packed.");
    }

    const PackJob& job_;
    const std::vector<Member> members_;
    PackProgress& progress_;
    PackResult& result_;
    std::set<std::wstring> replaced_;
    std::vector<char> buffer_ = std::vector<char>(kChunk);
};

std::wstring Unchanged_note(const std::wstring& archivePath, bool existed) {
    return existed ? L" " + archivePath + L" was left unchanged." : L" No archive was made.";
}

}  // namespace

PackResult Run_pack(const PackJob& job, PackProgress& progress) {
    PackResult result;
    result.archivePath = job.archivePath;
    const bool existed = QFileInfo::exists(Q(job.archivePath));
    try {
        std::vector<Member> members = Packable_members(job, result);
        if (members.empty()) {
            throw PackFailure(L"None of the files named could be packed.");
        }
        ArchivePack(job, std::move(members), progress, result).Run();
    } catch (const PackFailure& failure) {
        result.failure = failure.Message() + Unchanged_note(job.archivePath, existed);
    } catch (const std::exception& error) {
        result.failure = QString::fromLocal8Bit(error.what()).toStdWString() +
                         Unchanged_note(job.archivePath, existed);
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
