// Small helpers for tests that work on real folders of the sandbox's drives:
// write and read whole files, list a folder, make a fresh folder.
#pragma once

#include <windows.h>

#include <set>
#include <string>

namespace varnesse::testing {

inline bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// The file's bytes, or "<missing>" when it cannot be read.
inline std::string ReadWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char piece[65536];
    DWORD read = 0;
    while (ReadFile(file, piece, sizeof piece, &read, nullptr) && read > 0) bytes.append(piece, read);
    CloseHandle(file);
    return bytes;
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Names in a folder, "." and ".." left out.
inline std::set<std::string> FolderNames(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Removes a tree with no regard to attributes (test clean-up only).
inline void ForceRemoveTree(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        for (const std::string& name : FolderNames(path)) ForceRemoveTree(path + "\\" + name);
    }
    RemoveDirectoryA(path.c_str());
}

// A new empty folder at `path` (whatever was there before is removed).
inline std::string FreshFolder(const std::string& path) {
    ForceRemoveTree(path);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

}  // namespace varnesse::testing
