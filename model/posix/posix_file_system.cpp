// The file seam over POSIX, for the native build and its tests.
#include "model/file_system.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
FileError FromErrno(int error) {
    switch (error) {
    case ENOENT: return FileError::NotFound;
    case EACCES:
    case EPERM:
    case EROFS: return FileError::AccessDenied;
    case ENOSPC:
    case EDQUOT: return FileError::DiskFull;
    case EBUSY:
    case ETXTBSY: return FileError::Locked;
    default: return FileError::Other;
    }
}

class PosixFileSystem final : public FileSystem {
public:
    FileError ReadAll(const std::filesystem::path& path, std::string& bytes) override {
        bytes.clear();
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return FromErrno(errno);
        char buffer[1 << 16];
        for (;;) {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0) {
                if (errno == EINTR) continue;
                int error = errno;
                ::close(fd);
                return FromErrno(error);
            }
            if (n == 0) break;
            bytes.append(buffer, static_cast<size_t>(n));
        }
        ::close(fd);
        return FileError::None;
    }

    FileStamp Stamp(const std::filesystem::path& path) override {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return {};
        return {true, static_cast<uint64_t>(st.st_size),
                static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    }

    FileError CreateTemp(const std::filesystem::path& temp) override {
        if (fd_ >= 0) ::close(fd_);
        fd_ = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        return fd_ < 0 ? FromErrno(errno) : FileError::None;
    }

    FileError Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0) {
                if (errno == EINTR) continue;
                return FromErrno(errno);
            }
            bytes.remove_prefix(static_cast<size_t>(n));
        }
        return FileError::None;
    }

    FileError Flush() override { return ::fsync(fd_) == 0 ? FileError::None : FromErrno(errno); }

    FileError Close() override {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? FileError::None : FromErrno(errno);
    }

    FileError Replace(const std::filesystem::path& temp, const std::filesystem::path& target) override {
        // A read-only target is refused, as Windows refuses to move over one.
        if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) return FileError::AccessDenied;
        if (::rename(temp.c_str(), target.c_str()) != 0) return FromErrno(errno);
        // Make the rename itself durable.
        int dir = ::open(target.parent_path().empty() ? "." : target.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
        return FileError::None;
    }

    void Remove(const std::filesystem::path& path) override { ::unlink(path.c_str()); }

    ~PosixFileSystem() override {
        if (fd_ >= 0) ::close(fd_);
    }

private:
    int fd_ = -1;
};
} // namespace

FileSystem& RealFileSystem() {
    static PosixFileSystem fileSystem;
    return fileSystem;
}
