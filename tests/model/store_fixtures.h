#pragma once
// A temporary folder for real files, and a file system that can be told to fail.
#include "model/file_system.h"
#include "tests/support/file_bytes.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

struct TempDir {
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qf-test-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

inline std::string ReadFile(const std::filesystem::path& path) { return ReadBytes(path); }
inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) { WriteBytes(path, bytes); }

enum class FileOp { Read, Create, Write, Flush, Close, Replace };

// Passes every call to the real file system, counts them, and fails the chosen ones.
class FaultyFileSystem final : public FileSystem {
public:
    // Fails the n-th call (1-based) of the given kind with the error, and every later one when sticky.
    void FailAt(FileOp op, int n, FileError error, bool sticky) {
        failOp_ = op;
        failAt_ = n;
        error_ = error;
        sticky_ = sticky;
        counts_[static_cast<int>(op)] = 0;
    }
    void Heal() { failAt_ = 0; }
    int Count(FileOp op) const { return counts_[static_cast<int>(op)]; }
    int Writes() const { return Count(FileOp::Replace); }

    FileError ReadAll(const std::filesystem::path& path, std::string& bytes) override {
        if (Fails(FileOp::Read)) return error_;
        return RealFileSystem().ReadAll(path, bytes);
    }
    FileStamp Stamp(const std::filesystem::path& path) override { return RealFileSystem().Stamp(path); }
    FileError CreateTemp(const std::filesystem::path& temp) override {
        return Fails(FileOp::Create) ? error_ : RealFileSystem().CreateTemp(temp);
    }
    FileError Write(std::string_view bytes) override {
        if (Fails(FileOp::Write)) {
            // A full disk takes part of the data before it refuses the rest.
            RealFileSystem().Write(bytes.substr(0, bytes.size() / 2));
            return error_;
        }
        return RealFileSystem().Write(bytes);
    }
    FileError Flush() override { return Fails(FileOp::Flush) ? error_ : RealFileSystem().Flush(); }
    FileError Close() override {
        FileError real = RealFileSystem().Close();
        return Fails(FileOp::Close) ? error_ : real;
    }
    FileError Replace(const std::filesystem::path& temp, const std::filesystem::path& target) override {
        return Fails(FileOp::Replace) ? error_ : RealFileSystem().Replace(temp, target);
    }
    void Remove(const std::filesystem::path& path) override { RealFileSystem().Remove(path); }

private:
    bool Fails(FileOp op) {
        int n = ++counts_[static_cast<int>(op)];
        return failAt_ > 0 && op == failOp_ && (n == failAt_ || (sticky_ && n > failAt_));
    }
    int counts_[6] = {};
    FileOp failOp_ = FileOp::Read;
    int failAt_ = 0;
    FileError error_ = FileError::Other;
    bool sticky_ = false;
};
