#pragma once
// The configuration file: read one key, write one key.  Every read goes to the file; every
// write replaces the whole file atomically (a complete new file beside it, flushed, then moved
// over it), so a kill or power loss at any instant leaves the old file or the new one.
#include "model/file_system.h"

#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class TextCodec;

// The small profile interface the rest of the program talks to.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // A missing file, section or key reads as the empty text.
    virtual std::string Read(std::string_view section, std::string_view key) = 0;
    // False when the file could not be written; the caller may simply try again later.
    virtual bool Write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

struct KeyChange {
    std::string_view key;
    std::optional<std::string_view> value; // nullopt removes the key
};

class ConfigStore final : public ProfileStore {
public:
    ConfigStore(std::filesystem::path path, FileSystem& files, const TextCodec& codec);

    std::string Read(std::string_view section, std::string_view key) override;
    bool Write(std::string_view section, std::string_view key, std::string_view value) override;

    // Several keys of one section in one atomic replace (the pages and their count belong together).
    bool WriteKeys(std::string_view section, std::span<const KeyChange> changes);
    // The same, telling why it failed.  Safe to call from the page writer thread while the
    // window thread writes settings: the read-modify-replace of the file is one step at a time.
    FileError ReplaceKeys(std::string_view section, std::span<const KeyChange> changes);

    // Why the last write failed (None after a successful one).
    FileError LastWriteError() const {
        std::lock_guard lock(mutex_);
        return lastWriteError_;
    }
    FileStamp Stamp() { return files_.Stamp(path_); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    std::filesystem::path tempPath_;
    FileSystem& files_;
    const TextCodec& codec_;
    FileError lastWriteError_ = FileError::None;
    mutable std::mutex mutex_;
};
