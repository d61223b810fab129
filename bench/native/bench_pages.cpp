// Load and save times of the page store (natively, and under Wine with the Win32 file access) for 1, 100 and 1,000 pages and a 1 MB note, through
// the real store on a temporary folder.  Prints one line per case; run by `make bench`.
#include "model/config_store.h"
#include "model/file_system.h"
#include "model/page_book.h"
#include "model/page_store.h"
#include "model/text_codec.h"
#include "tests/support/memory_editor.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {
template <typename F> double Milliseconds(F&& f, int repeat) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeat; ++i) f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / repeat;
}
} // namespace

int main() {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("qf-bench-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(dir);
    std::filesystem::path file = dir / "config.ini";
    ConfigStore store(file, RealFileSystem(), SystemCodec());

    struct Case {
        const char* name;
        int pages;
        size_t pageChars;
        bool multiline;
    } cases[] = {
        {"1 page", 1, 40, false},
        {"100 pages", 100, 40, false},
        {"1000 pages", 1000, 40, false},
        {"1000 pages, 1 MB, multi-line", 1000, 1000, true},
        {"1 page of 1 MB, multi-line", 1, 1000000, true},
    };
    std::printf("%-32s %12s %12s %12s %10s\n", "case", "load ms", "save ms", "idle tick ms", "file KB");
    for (const Case& c : cases) {
        {
            PageBook book = MakeMemoryBook();
            PageStore pages(store, SystemCodec());
            std::u16string text;
            while (text.size() < c.pageChars) text += c.multiline ? u"\u9752\u67ab\u8d34 line of a note\r\n" : u"\u9752\u67ab\u8d34 note ";
            text.resize(c.pageChars);
            book.SetRebuilding(true);
            for (int i = 0; i < c.pages; ++i) {
                book.NewPage();
                book.Editor(book.PageCount()).SetText(text);
            }
            book.SetRebuilding(false);
            pages.SavePages(book, true);
        }
        double load = Milliseconds(
            [&] {
                PageBook book = MakeMemoryBook();
                PageStore(store, SystemCodec()).LoadPages(book);
            },
            3);
        PageBook book = MakeMemoryBook();
        PageStore pages(store, SystemCodec());
        pages.LoadPages(book);
        int round = 0;
        std::u16string first = book.Editor(1).Text();
        double save = Milliseconds(
            [&] {
                // One key typed on page 1, as the autosave sees it.
                book.Editor(1).SetText(first + (round++ % 2 ? u"x" : u"y"));
                pages.SavePages(book);
            },
            5);
        double idle = Milliseconds([&] { pages.SavePages(book); }, 20);
        std::printf("%-32s %12.2f %12.2f %12.3f %10.0f\n", c.name, load, save, idle,
                    std::filesystem::file_size(file) / 1024.0);
    }
    std::filesystem::remove_all(dir);
}
