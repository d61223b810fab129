#include "model/config_store.h"

#include "model/ini_document.h"

ConfigStore::ConfigStore(std::filesystem::path path, FileSystem& files, const TextCodec& codec)
    : path_(std::move(path)), files_(files), codec_(codec) {
    tempPath_ = path_;
    tempPath_ += ".tmp";
}

std::string ConfigStore::Read(std::string_view section, std::string_view key) {
    std::string bytes;
    if (files_.ReadAll(path_, bytes) != FileError::None) return {};
    return IniDocument::Parse(bytes, codec_).Get(section, key).value_or(std::string());
}

bool ConfigStore::Write(std::string_view section, std::string_view key, std::string_view value) {
    KeyChange change{key, value};
    return WriteKeys(section, std::span(&change, 1));
}

bool ConfigStore::WriteKeys(std::string_view section, std::span<const KeyChange> changes) {
    return ReplaceKeys(section, changes) == FileError::None;
}

FileError ConfigStore::ReplaceKeys(std::string_view section, std::span<const KeyChange> changes) {
    std::lock_guard lock(mutex_);
    // Start from what the file holds now: an unreadable file (locked, say) must not be replaced
    // by one that lacks its other sections.
    std::string bytes;
    FileError error = files_.ReadAll(path_, bytes);
    if (error != FileError::None && error != FileError::NotFound) {
        lastWriteError_ = error;
        return error;
    }
    IniDocument doc = IniDocument::Parse(bytes, codec_);
    for (const KeyChange& change : changes) {
        if (change.value)
            doc.Set(section, change.key, *change.value);
        else
            doc.Remove(section, change.key);
    }
    std::string contents = doc.Serialize();

    error = files_.CreateTemp(tempPath_);
    if (error == FileError::None) {
        error = files_.Write(contents);
        if (error == FileError::None) error = files_.Flush();
        FileError closed = files_.Close();
        if (error == FileError::None) error = closed;
        if (error == FileError::None) error = files_.Replace(tempPath_, path_);
        if (error != FileError::None) files_.Remove(tempPath_);
    }
    lastWriteError_ = error;
    return error;
}
