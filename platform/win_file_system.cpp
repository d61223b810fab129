// The configuration store's file access over Win32.  The replace is MoveFileExW with
// replace-existing and write-through: one step, unlike ReplaceFileW, which Wine does as two renames.
#include "model/file_system.h"
#include "platform/unique.h"

namespace {
FileError FromLastError(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return FileError::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return FileError::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return FileError::Locked;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return FileError::DiskFull;
    default: return FileError::Other;
    }
}

FileError LastFileError() { return FromLastError(GetLastError()); }

class WinFileSystem final : public FileSystem {
public:
    FileError ReadAll(const std::filesystem::path& path, std::string& bytes) override {
        bytes.clear();
        UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) {
            file.release();
            return LastFileError();
        }
        LARGE_INTEGER size{};
        if (GetFileSizeEx(file.get(), &size)) bytes.reserve(static_cast<size_t>(size.QuadPart));
        char buffer[1 << 16];
        for (;;) {
            DWORD read = 0;
            if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return LastFileError();
            if (read == 0) break;
            bytes.append(buffer, read);
        }
        return FileError::None;
    }

    FileStamp Stamp(const std::filesystem::path& path) override {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
        return {true, (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                static_cast<int64_t>((uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                     data.ftLastWriteTime.dwLowDateTime)};
    }

    FileError CreateTemp(const std::filesystem::path& temp) override {
        Close();
        HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return LastFileError();
        file_ = h;
        return FileError::None;
    }

    FileError Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 24));
            DWORD written = 0;
            if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr)) return LastFileError();
            if (written == 0) return FileError::DiskFull;
            bytes.remove_prefix(written);
        }
        return FileError::None;
    }

    FileError Flush() override { return FlushFileBuffers(file_) ? FileError::None : LastFileError(); }

    FileError Close() override {
        if (file_ == INVALID_HANDLE_VALUE) return FileError::None;
        HANDLE h = std::exchange(file_, INVALID_HANDLE_VALUE);
        return CloseHandle(h) ? FileError::None : LastFileError();
    }

    FileError Replace(const std::filesystem::path& temp, const std::filesystem::path& target) override {
        // Windows refuses to move over a read-only file; Wine's rename does not, so ask first:
        // a file the user made read-only stays as it is.
        DWORD attributes = GetFileAttributesW(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return FileError::AccessDenied;
        if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return FileError::None;
        return LastFileError();
    }

    void Remove(const std::filesystem::path& path) override { DeleteFileW(path.c_str()); }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};
} // namespace

FileSystem& RealFileSystem() {
    static WinFileSystem fileSystem;
    return fileSystem;
}
