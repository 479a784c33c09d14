#pragma once

#include <string>
#include <vector>

namespace brelvik {

// What the drive, folder and file lists of the browser show. Every function that reads a
// folder throws PlatformError when it cannot.

// The drives a user can choose: "C:", "D:" ... on Windows; elsewhere "/" first, then the mounted
// volumes a user works with.
std::vector<std::wstring> List_drives();

// The folder a drive text opens in: the drive's current folder on Windows ("C:" gives "C:\..."),
// the mount point itself elsewhere.
std::wstring Drive_folder(const std::wstring& drive);

// The drive text that selects the drive of a stored last folder, or empty when the text is no
// folder to restore: on Windows its first character, for a text longer than 2 characters ("C:"
// alone is none); elsewhere the volume that holds it, for an absolute path ("/" included).
std::wstring Stored_folder_drive(const std::wstring& folder);

// A path given relative to the working folder made whole, without "." and ".." parts and
// without a trailing separator except at a root.
std::wstring Full_path(const std::wstring& path);

// The process's working folder, without a trailing separator except at a root.
std::wstring Current_folder();

// What one read of a folder gives: the names of its subfolders and of its files whose names end
// in the extension asked for (letter case ignored), hidden and system ones left out, each in
// the alphabetical order of the user's language, letter case ignored (Sort_key's).
struct FolderEntries {
    std::vector<std::wstring> subfolders, files;
};
FolderEntries List_folder(const std::wstring& folder, const std::wstring& extension);
std::vector<std::wstring> List_files(const std::wstring& folder, const std::wstring& extension);

// Throws as List_folder would when the folder cannot be read, without reading its names: a
// folder of 100,000 add-ons costs no more to check than an empty one.
void Check_folder(const std::wstring& folder);

// Helpers shared by the system-specific parts, free of system calls.

// The entry of drives that holds path: the longest drive text that starts the path at a
// separator; empty when none does.
std::wstring Drive_of(const std::wstring& path, const std::vector<std::wstring>& drives);

// The volumes of a mount table in the form of /proc/self/mounts that a user works with: no
// pseudo or system file systems, no root (it is always offered first), as the system's bytes in
// byte order.
std::vector<std::string> User_volumes(const std::string& mountTable);

// Letter case ignored, character by character, for names compared as equal or not.
std::wstring Folded(const std::wstring& text);
bool Ends_with_ignoring_case(const std::wstring& name, const std::wstring& ending);
// In the order of Sort_key; names with equal keys keep their order.
void Sort_ignoring_case(std::vector<std::wstring>& names);

}  // namespace brelvik
