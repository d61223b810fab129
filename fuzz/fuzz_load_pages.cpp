// Feeds arbitrary bytes to the page loader as the configuration file: the split, the escape
// decoder and LoadPages must neither crash nor build an inconsistent book, and whatever they
// load must save and load back to the same pages.
#include "model/config_store.h"
#include "model/page_book.h"
#include "model/page_store.h"
#include "model/text_codec.h"
#include "tests/support/memory_editor.h"
#include "model/text_services.h"

#include <cstdlib>

namespace {
std::vector<std::u16string> Texts(const PageBook& book) {
    std::vector<std::u16string> texts;
    for (int k = 1; k <= book.PageCount(); ++k) texts.push_back(book.Editor(k).Text());
    return texts;
}

// One file in memory: the fuzzer explores the parser, not the disk.
class MemoryFiles final : public FileSystem {
public:
    std::string file;
    std::string temp;
    uint64_t version = 0;

    FileError ReadAll(const std::filesystem::path&, std::string& bytes) override {
        bytes = file;
        return FileError::None;
    }
    FileStamp Stamp(const std::filesystem::path&) override { return {true, file.size(), static_cast<int64_t>(version)}; }
    FileError CreateTemp(const std::filesystem::path&) override {
        temp.clear();
        return FileError::None;
    }
    FileError Write(std::string_view bytes) override {
        temp += bytes;
        return FileError::None;
    }
    FileError Flush() override { return FileError::None; }
    FileError Close() override { return FileError::None; }
    FileError Replace(const std::filesystem::path&, const std::filesystem::path&) override {
        file = temp;
        ++version;
        return FileError::None;
    }
    void Remove(const std::filesystem::path&) override {}
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SplitOnSeparator(bytes, "||");
    UnescapePage(bytes, SystemCodec());
    MemoryFiles files;
    files.file = bytes;
    ConfigStore store("config.ini", files, SystemCodec());
    PageStore pages(store, SystemCodec());
    PageBook book = MakeMemoryBook();
    pages.LoadPages(book);
    if (book.PageCount() < 1 || book.CurrentPage() != book.PageCount()) std::abort();
    int visible = 0;
    for (int k = 1; k <= book.PageCount(); ++k) visible += static_cast<MemoryEditor&>(book.Editor(k)).visible;
    if (visible != 1) std::abort();

    // What was loaded is what the file now holds (unless the file cannot hold it at all).
    if (pages.SavePages(book, true) == SaveOutcome::Written) {
        PageBook again = MakeMemoryBook();
        PageStore(store, SystemCodec()).LoadPages(again);
        if (Texts(again) != Texts(book)) std::abort();
    }
    return 0;
}
