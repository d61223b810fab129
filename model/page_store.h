#pragma once
// Stores the page book in section 内容 of the configuration file and rebuilds it at start-up.
// Pages are joined, each followed by "||", under 内容, with their number under 总页数.  A page
// that the plain form cannot carry (a line break, "||", a character the ANSI code page lacks,
// leading space on the first page, ...) is stored escaped and named under 转义页; see
// docs/file-format.md.
#include "model/config_store.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class PageBook;
class TextCodec;

enum class SaveOutcome {
    Written,   // the file now holds the book
    Unchanged, // the file already held exactly this book; nothing was written
    Failed,    // nothing was written; the text stays in the editors and the next save retries
};

// The stored form of a book, as the three values of section 内容.
struct StoredPages {
    std::string content;   // 内容
    std::string count;     // 总页数
    std::string escaped;   // 转义页; empty when every page is verbatim
    bool operator==(const StoredPages&) const = default;
};

StoredPages EncodePages(const PageBook& book, const TextCodec& codec);
// Page texts from a stored 内容 value and 转义页 list (the items of the split, decoded).
std::vector<std::u16string> DecodePages(std::string_view content, std::string_view escaped, const TextCodec& codec);

// One page in its escaped form and back; the escaped form holds no '|', no control
// character and no leading space, and only characters of the code page.
std::string EscapePage(std::u16string_view text, const TextCodec& codec);
std::u16string UnescapePage(std::string_view stored, const TextCodec& codec);

class PageStore {
public:
    PageStore(ConfigStore& store, const TextCodec& codec);
    ~PageStore(); // finishes a save still under way

    // Writes the book unless the file already holds exactly it (and nobody changed the file
    // since this program last wrote or read it); force writes in any case.  With the writer
    // started, Written means the save was handed over; a failure shows in LastError and the
    // next call tries again.
    SaveOutcome SavePages(const PageBook& book, bool force = false);

    // Rebuilds the book from the file: one NewPage per stored page, then at most one save.
    void LoadPages(PageBook& book);

    // From now on the file is written on a thread of its own, so that saving a long note never
    // holds up typing; only the page texts are read on the caller's thread.
    void StartWriter();
    // Waits until every save handed over is on disk or has failed (exit, session end).
    void Flush();

    // Why the last save failed; None once a save succeeded.
    FileError LastError() const;

private:
    struct Writer;
    void Submit(StoredPages stored);

    ConfigStore& store_;
    const TextCodec& codec_;
    std::optional<StoredPages> known_; // what the file holds, as far as this program knows
    FileStamp knownStamp_;
    bool compareNext_ = true; // the book may differ from known_ without any editor knowing
    std::unique_ptr<Writer> writer_;
};
