#pragma once
// The few file operations the configuration store needs, behind a seam: POSIX in the native
// build, CreateFileW/WriteFile/FlushFileBuffers/MoveFileExW on Windows, and failing fakes in tests.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

enum class FileError {
    None,
    NotFound,
    AccessDenied, // read-only file or folder, or no permission
    Locked,       // another program holds the file without sharing
    DiskFull,
    Other,
};

// Identifies one state of a file on disk, so that a writer can tell whether someone else
// changed it since it last looked.  A missing file has exists == false.
struct FileStamp {
    bool exists = false;
    uint64_t size = 0;
    int64_t modified = 0; // platform ticks; only compared for equality
    bool operator==(const FileStamp&) const = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole file; NotFound when it does not exist.
    virtual FileError ReadAll(const std::filesystem::path& path, std::string& bytes) = 0;
    virtual FileStamp Stamp(const std::filesystem::path& path) = 0;

    // The steps of an atomic replace, each one a place where a save can fail or be cut off.
    virtual FileError CreateTemp(const std::filesystem::path& temp) = 0; // create or truncate, open for writing
    virtual FileError Write(std::string_view bytes) = 0;                 // to the open temp file
    virtual FileError Flush() = 0;                                       // to the disk, not just the cache
    virtual FileError Close() = 0;
    virtual FileError Replace(const std::filesystem::path& temp, const std::filesystem::path& target) = 0;
    virtual void Remove(const std::filesystem::path& path) = 0;
};

// The machine's own file system (POSIX natively, Win32 in the Windows build).
FileSystem& RealFileSystem();
