#include "model/page_store.h"

#include "model/config_keys.h"
#include "model/page_book.h"
#include "model/text_codec.h"
#include "model/text_services.h"

#include <algorithm>
#include <charconv>

namespace {
constexpr std::string_view kSeparator = "||";

// Whether the ANSI form of a page comes back unchanged from the plain stored form: no line
// break or other control byte, and splitting page + "||" gives back just the page (no "||"
// inside, no '|' at its end).  The first page also must not start with white space, which the
// profile reader trims from the start of the value.
bool StorableVerbatim(std::string_view bytes, bool firstPage) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') return false;
    if (firstPage && !bytes.empty() && (bytes.front() == ' ' || bytes.substr(0, 2) == "\xA1\xA1")) return false;
    std::string probe(bytes);
    probe += kSeparator;
    auto items = SplitOnSeparator(probe, kSeparator);
    return items.size() == 1 && items[0] == bytes;
}

void AppendUnit(std::string& out, char16_t unit) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

bool IsSpecial(char16_t c) { return c < 0x20 || c == 0x7F || c == u'\\' || c == u'|'; }

// A byte of 0x80 or above that is a character of its own (the euro sign 0x80 in code page 936)
// would be taken for the first half of a two-byte character when 内容 is split, swallowing the
// separator after it; such characters are written as codes.
bool HasLoneHighByte(std::string_view bytes, const TextCodec& codec) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto c = static_cast<unsigned char>(bytes[i]);
        if (codec.IsLeadByte(c))
            ++i;
        else if (c >= 0x80)
            return true;
    }
    return false;
}

std::vector<int32_t> ParsePageList(std::string_view text) {
    std::vector<int32_t> pages;
    while (!text.empty()) {
        size_t comma = text.find(',');
        std::string_view item = text.substr(0, comma);
        int32_t page = 0;
        auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), page);
        if (ec == std::errc() && end == item.data() + item.size() && page >= 1) pages.push_back(page);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}
} // namespace

std::string EscapePage(std::u16string_view text, const TextCodec& codec) {
    std::string out;
    out.reserve(text.size() + 16);
    size_t i = 0;
    // A leading space or quote is written as a code so that nothing can trim or strip it.
    if (!text.empty() && (text[0] == u' ' || text[0] == u'\x3000' || text[0] == u'"' || text[0] == u'\'')) {
        AppendUnit(out, text[0]);
        i = 1;
    }
    while (i < text.size()) {
        char16_t c = text[i];
        if (IsSpecial(c)) {
            switch (c) {
            case u'\\': out += "\\\\"; break;
            case u'|': out += "\\p"; break;
            case u'\r': out += "\\r"; break;
            case u'\n': out += "\\n"; break;
            case u'\t': out += "\\t"; break;
            default: AppendUnit(out, c); break;
            }
            ++i;
            continue;
        }
        // A run of ordinary characters converts in one call; only a run holding a character the
        // code page lacks is taken apart.
        size_t end = i;
        while (end < text.size() && !IsSpecial(text[end])) ++end;
        std::u16string_view run = text.substr(i, end - i);
        if (auto bytes = codec.ToAnsiExact(run); bytes && !HasLoneHighByte(*bytes, codec)) {
            out += *bytes;
        } else {
            for (size_t k = 0; k < run.size(); ++k) {
                bool pair = run[k] >= 0xD800 && run[k] <= 0xDBFF && k + 1 < run.size() && run[k + 1] >= 0xDC00 &&
                            run[k + 1] <= 0xDFFF;
                std::u16string_view one = run.substr(k, pair ? 2 : 1);
                auto single = (one[0] >= 0xD800 && one[0] <= 0xDFFF) ? std::nullopt : codec.ToAnsiExact(one);
                if (single && !single->empty() && !HasLoneHighByte(*single, codec)) {
                    out += *single;
                } else {
                    for (char16_t unit : one) AppendUnit(out, unit);
                }
                k += one.size() - 1;
            }
        }
        i = end;
    }
    return out;
}

std::u16string UnescapePage(std::string_view stored, const TextCodec& codec) {
    std::u16string out;
    std::string run; // plain ANSI bytes waiting to be converted
    auto flush = [&] {
        if (!run.empty()) out += codec.FromAnsi(run);
        run.clear();
    };
    for (size_t i = 0; i < stored.size(); ++i) {
        char c = stored[i];
        if (codec.IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < stored.size()) {
            run += c;
            run += stored[++i];
            continue;
        }
        if (c != '\\' || i + 1 >= stored.size()) {
            run += c;
            continue;
        }
        char next = stored[i + 1];
        char16_t unit = 0;
        bool known = true;
        switch (next) {
        case '\\': unit = u'\\'; break;
        case 'p': unit = u'|'; break;
        case 'r': unit = u'\r'; break;
        case 'n': unit = u'\n'; break;
        case 't': unit = u'\t'; break;
        case 'u': {
            unsigned value = 0;
            auto [end, ec] = std::from_chars(stored.data() + i + 2, stored.data() + std::min(i + 6, stored.size()),
                                             value, 16);
            known = ec == std::errc() && end == stored.data() + i + 6;
            unit = static_cast<char16_t>(value);
            if (known) i += 4;
            break;
        }
        default: known = false; break;
        }
        if (!known) {
            run += c; // not an escape: keep the backslash as written
            continue;
        }
        flush();
        out += unit;
        ++i;
    }
    flush();
    return out;
}

StoredPages EncodePages(const PageBook& book, const TextCodec& codec) {
    StoredPages stored;
    stored.count = IntToText(book.PageCount());
    for (int32_t k = 1; k <= book.PageCount(); ++k) {
        std::u16string text = book.Editor(k).Text();
        auto bytes = codec.ToAnsiExact(text);
        if (bytes && StorableVerbatim(*bytes, k == 1)) {
            stored.content += *bytes;
        } else {
            stored.content += EscapePage(text, codec);
            if (!stored.escaped.empty()) stored.escaped += ',';
            stored.escaped += IntToText(k);
        }
        stored.content += kSeparator;
    }
    return stored;
}

std::vector<std::u16string> DecodePages(std::string_view content, std::string_view escaped, const TextCodec& codec) {
    auto items = SplitOnSeparator(content, kSeparator);
    auto escapedPages = ParsePageList(escaped);
    std::vector<std::u16string> pages;
    pages.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        bool isEscaped = std::binary_search(escapedPages.begin(), escapedPages.end(), static_cast<int32_t>(i + 1));
        pages.push_back(isEscaped ? UnescapePage(items[i], codec) : codec.FromAnsi(items[i]));
    }
    return pages;
}

namespace {
bool AnyModified(const PageBook& book) {
    for (int32_t k = 1; k <= book.PageCount(); ++k)
        if (book.Editor(k).Modified()) return true;
    return false;
}

void ClearModified(const PageBook& book) {
    for (int32_t k = 1; k <= book.PageCount(); ++k) book.Editor(k).ClearModified();
}
} // namespace

// The writer thread: takes the newest encoded book and writes it; a newer one handed over
// while it writes replaces any that has not started yet.
struct PageStore::Writer {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable idle;
    std::optional<StoredPages> pending;
    bool busy = false;
    bool stop = false;
    bool failed = false; // a save failed since the window thread last looked
    FileError lastError = FileError::None;
    FileStamp writtenStamp;
    std::thread thread;
};

namespace {
KeyChange PageKeys(const StoredPages& stored, size_t index) {
    switch (index) {
    case 0: return {keys::kContent, stored.content};
    case 1: return {keys::kPageCount, stored.count};
    default:
        return {keys::kEscapedPages,
                stored.escaped.empty() ? std::nullopt : std::optional<std::string_view>(stored.escaped)};
    }
}

FileError WriteStored(ConfigStore& store, const StoredPages& stored) {
    KeyChange changes[] = {PageKeys(stored, 0), PageKeys(stored, 1), PageKeys(stored, 2)};
    return store.ReplaceKeys(keys::kContentSection, changes);
}
} // namespace

PageStore::PageStore(ConfigStore& store, const TextCodec& codec) : store_(store), codec_(codec) {}

PageStore::~PageStore() {
    if (!writer_) return;
    {
        std::lock_guard lock(writer_->mutex);
        writer_->stop = true;
    }
    writer_->wake.notify_all();
    writer_->thread.join();
}

void PageStore::StartWriter() {
    if (writer_) return;
    writer_ = std::make_unique<Writer>();
    writer_->thread = std::thread([this, w = writer_.get()] {
        std::unique_lock lock(w->mutex);
        for (;;) {
            w->wake.wait(lock, [w] { return w->stop || w->pending; });
            if (!w->pending) return; // stopping with nothing left to write
            StoredPages job = std::move(*w->pending);
            w->pending.reset();
            w->busy = true;
            lock.unlock();
            FileError error = WriteStored(store_, job);
            FileStamp stamp = store_.Stamp();
            lock.lock();
            w->busy = false;
            w->lastError = error;
            if (error == FileError::None)
                w->writtenStamp = stamp;
            else
                w->failed = true;
            w->idle.notify_all();
        }
    });
}

void PageStore::Flush() {
    if (!writer_) return;
    std::unique_lock lock(writer_->mutex);
    writer_->idle.wait(lock, [w = writer_.get()] { return !w->pending && !w->busy; });
}

FileError PageStore::LastError() const {
    if (!writer_) return store_.LastWriteError();
    std::lock_guard lock(writer_->mutex);
    return writer_->lastError;
}

void PageStore::Submit(StoredPages stored) {
    {
        std::lock_guard lock(writer_->mutex);
        writer_->pending = stored;
    }
    writer_->wake.notify_one();
}

SaveOutcome PageStore::SavePages(const PageBook& book, bool force) {
    FileStamp stamp = store_.Stamp();
    bool fileAsKnown = known_ && stamp == knownStamp_;
    if (writer_) {
        std::lock_guard lock(writer_->mutex);
        if (writer_->failed) {
            writer_->failed = false;
            known_.reset(); // write again, whatever the text is now
        }
        if (writer_->writtenStamp.exists) knownStamp_ = writer_->writtenStamp;
        // While a save of ours is under way the file is ours to change.
        fileAsKnown = known_ && (writer_->pending || writer_->busy || stamp == knownStamp_);
    }
    // The idle case, ten times a second: nothing typed, nobody touched the file.
    if (!force && fileAsKnown && !compareNext_ && !AnyModified(book)) return SaveOutcome::Unchanged;

    StoredPages stored = EncodePages(book, codec_);
    if (!force && fileAsKnown && *known_ == stored) {
        ClearModified(book);
        compareNext_ = false;
        return SaveOutcome::Unchanged;
    }

    if (writer_) {
        Submit(stored);
        known_ = std::move(stored);
        ClearModified(book);
        compareNext_ = false;
        return SaveOutcome::Written;
    }
    if (WriteStored(store_, stored) != FileError::None) {
        known_.reset(); // retry at the next tick whatever the text is then
        return SaveOutcome::Failed;
    }
    known_ = std::move(stored);
    knownStamp_ = store_.Stamp();
    ClearModified(book);
    compareNext_ = false;
    return SaveOutcome::Written;
}

void PageStore::LoadPages(PageBook& book) {
    FileStamp stamp = store_.Stamp();
    StoredPages onDisk{store_.Read(keys::kContentSection, keys::kContent),
                       store_.Read(keys::kContentSection, keys::kPageCount),
                       store_.Read(keys::kContentSection, keys::kEscapedPages)};
    int32_t count = TextToInt(onDisk.count);

    std::vector<std::u16string> pages;
    if (count > 0) pages = DecodePages(onDisk.content, onDisk.escaped, codec_);
    // A count beyond the stored items (or a huge hand-edited one) makes no empty pages of its
    // own; a zero, negative or unreadable count gives one empty page.
    size_t pageTotal = std::max<size_t>(1, std::min<size_t>(count > 0 ? static_cast<size_t>(count) : 0, pages.size()));

    book.SetRebuilding(true);
    for (size_t i = 0; i < pageTotal; ++i) {
        book.NewPage();
        book.Editor(book.PageCount()).SetText(i < pages.size() ? pages[i] : std::u16string());
    }
    book.SetRebuilding(false);

    // Nothing was written while rebuilding; write once now unless the file already holds the book.
    known_ = std::move(onDisk);
    knownStamp_ = stamp;
    compareNext_ = true;
    SavePages(book);
}
