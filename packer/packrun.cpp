#include "packer/packrun.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <set>

#include "addonlist/listfile.h"
#include "packer/memberlist.h"
#include "packer/membername.h"
#include "packer/packfailure.h"
#include "packer/zipreader.h"
#include "packer/zipwriter.h"
#include "platform/folders.h"
#include "platform/pathsep.h"
#include "platform/platform_error.h"
#include "platform/replacement.h"

namespace brelvik {

namespace {

constexpr std::size_t kChunk = 1 << 20;

struct Member {
    std::wstring path;  // as named
    QString source;     // the file that is read: the path, or the file its link leads to
    qint64 size = 0;
    QDateTime modified;
};

// A member that could not be read as it was checked: gone, unreadable, or grown or shrunk. It
// is left out and the archive written again without it.
struct MemberChanged {
    std::size_t index;
    std::wstring reason;
};

QString Q(const std::wstring& text) {
    return QString::fromStdWString(text);
}

// A link is followed only to a file in its own folder or below: a bundle from a stranger cannot
// make the packer store, or read as a list, a private file from elsewhere.
bool Leads_out(const QFileInfo& file) {
    if (!file.isSymLink()) {
        return false;
    }
    QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    if (!folder.endsWith(u'/')) {
        folder += u'/';
    }
    return !file.canonicalFilePath().startsWith(folder);
}

std::wstring Out_of_folder(const QFileInfo& file) {
    return L"a link that leads out of its folder, to " + file.symLinkTarget().toStdWString();
}

std::vector<std::wstring> Named_members(const PackJob& job, std::vector<SkippedMember>& skipped) {
    std::vector<std::wstring> paths;
    for (const MemberArgument& member : job.members) {
        if (!member.isListFile) {
            paths.push_back(member.path);
            continue;
        }
        if (const QFileInfo list(Q(member.path)); Leads_out(list)) {
            skipped.push_back({member.path, Out_of_folder(list)});
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

// Why the name cannot go into an archive for Windows, or empty.
std::wstring Name_reason(const std::wstring& path) {
    if (!Listable(path)) {
        return L"its name holds a line break";
    }
    return Unstorable_reason(Bare_name(path));
}

std::wstring Unpackable_reason(const std::wstring& path, const QFileInfo& archive) {
    if (std::wstring reason = Name_reason(path); !reason.empty()) {
        return reason;
    }
    const QFileInfo member(Q(path));
    if (!member.exists()) {
        return member.isSymLink() ? L"a link to nothing" : L"not found";
    }
    if (member.isDir()) {
        return L"a folder; folders are not packed";
    }
    if (!member.isFile()) {
        return L"not a regular file";
    }
    if (Leads_out(member)) {
        return Out_of_folder(member);
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
        const std::wstring reason = Unpackable_reason(path, archive);
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
        const QFileInfo info(Q(path));
        members.push_back({path, info.canonicalFilePath(), info.size(), info.lastModified()});
    }
    return members;
}

// Whether the open file lies elsewhere than the file that was checked: a link planted at a
// member's path after the check would lead the read out of its folder. Linux shows where an
// open file lies under /proc; without /proc the check is the one made before.
bool Opened_elsewhere(const QFile& file, const QString& source) {
    const QFileInfo opened(QStringLiteral("/proc/self/fd/%1").arg(file.handle()));
    return opened.isSymLink() && opened.symLinkTarget() != source;
}

// Only a file at the archive's path is an old archive to update: a link there is replaced, and
// what it leads to is neither read nor written.
bool Old_archive(const std::wstring& path) {
    const QFileInfo archive(Q(path));
    return archive.isFile() && !archive.isSymLink();
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
        : job_(job), members_(std::move(members)), progress_(progress), result_(result) {}

    void Run() {
        const bool update = Old_archive(job_.archivePath);
        FileReplacement replacement(job_.archivePath);
        // Unbuffered, so that a failed write reports its cause (a full disk, say) at once.
        QFile file;
        if (!file.open(replacement.Descriptor(), QIODevice::WriteOnly | QIODevice::Unbuffered,
                       QFileDevice::DontCloseHandle)) {
            throw Cannot_write(file);
        }
        while (!Try_writing(file, update)) {
            if (members_.empty()) {
                throw PackFailure(L"None of the files named could be packed.");
            }
            if (!file.resize(0) || !file.seek(0)) {
                throw Cannot_write(file);
            }
        }
        replacement.Commit();
    }

  private:
    // Writes the whole archive; false when a member changed, which is then left out.
    bool Try_writing(QFile& file, bool update) {
        try {
            Write_archive(file, update);
            return true;
        } catch (const MemberChanged& changed) {
            result_.skipped.push_back({members_[changed.index].path, changed.reason});
            members_.erase(members_.begin() + static_cast<std::ptrdiff_t>(changed.index));
            return false;
        }
    }

    void Write_archive(QFile& file, bool update) {
        replaced_.clear();
        for (const Member& member : members_) {
            replaced_.insert(Member_key(member.path));  // the folded name it is stored under
        }
        result_.packed.clear();
        result_.kept = 0;
        progress_.done = 0;
        progress_.total = Member_bytes() + (update ? Kept_bytes() : 0);
        ZipWriter zip(file, job_.level);
        if (update) {
            Copy_kept(zip);
        }
        for (std::size_t i = 0; i < members_.size(); ++i) {
            Pack_member(i, zip);
        }
        zip.Close();
    }

    std::uint64_t Member_bytes() const {
        std::uint64_t bytes = 0;
        for (const Member& member : members_) {
            bytes += member.size;
        }
        return bytes;
    }

    // Calls use(entry) for each entry of the old archive that stays.
    template <typename Use>
    void For_kept_entries(ZipReader& old, Use use) const {
        while (archive_entry* entry = old.Next()) {
            if (!replaced_.contains(Folded(Entry_name(entry)))) {
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

    // The member is read from the file that was checked, and must still have the size it had.
    void Pack_member(std::size_t index, ZipWriter& zip) {
        const Member& member = members_[index];
        QFile file(member.source);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            throw MemberChanged{
                index, L"could not be read any more: " + file.errorString().toStdWString()};
        }
        const MemberChanged changed{index, L"changed while it was being packed"};
        if (file.size() != member.size || Opened_elsewhere(file, member.source)) {
            throw changed;
        }
        zip.Begin_entry(Member_entry(member).get());
        for (qint64 left = member.size; left > 0;) {
            const qint64 read = file.read(buffer_.data(), std::min<qint64>(left, kChunk));
            if (read <= 0) {
                throw read < 0 ? MemberChanged{index, L"could not be read: " +
                                                          file.errorString().toStdWString()}
                               : changed;
            }
            zip.Write(buffer_.data(), read);
            left -= read;
            Advance(progress_, read);
        }
        if (char more; file.read(&more, 1) != 0) {
            throw changed;
        }
        result_.packed.push_back(member.path);
    }

    static EntryPtr Member_entry(const Member& member) {
        EntryPtr entry(archive_entry_new());
        const QString name = Q(std::wstring(Bare_name(member.path)));
        archive_entry_update_pathname_utf8(entry.get(), name.toUtf8().constData());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), member.size);
        archive_entry_set_mtime(entry.get(), member.modified.toSecsSinceEpoch(), 0);
        return entry;
    }

    PackFailure Cannot_write(const QFile& file) const {
        return PackFailure(L"Cannot write " + job_.archivePath + L": " +
                           file.errorString().toStdWString());
    }

    const PackJob& job_;
    std::vector<Member> members_;
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
    } catch (const PlatformError& error) {
        result.failure = L"Cannot write " + job.archivePath + L": " + error.System_text() + L"." +
                         Unchanged_note(job.archivePath, existed);
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
