#pragma once
// The note's pages: an ordered list of page editors (page k's text lives in editor k), the
// page count and the current page, and the four page operations of the toolbar.  Written
// against an abstract editor and injected services so that it runs without any window.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One page as the book sees it.  Texts are UTF-16 so that whatever the user types
// (emoji, scripts the ANSI code page lacks) reaches the store intact.
class PageEditor {
public:
    virtual ~PageEditor() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual std::u16string Text() const = 0;
    virtual void SetText(std::u16string_view text) = 0;
    virtual void Focus() = 0;
    // Whether the text changed (by the user or by SetText) since ClearModified: an idle note
    // is then checked without reading every page.
    virtual bool Modified() const = 0;
    virtual void ClearModified() = 0;
};

enum class PageSound { PageTurn, Delete };

struct PageBookServices {
    std::function<std::unique_ptr<PageEditor>()> createEditor; // a hidden, empty, see-through editor
    std::function<void(const std::string&)> setCounter;
    std::function<void(PageSound)> playSound;  // stays silent when muted
    std::function<void()> showOnePageNotice;   // returns after the notice has been up for 500 ms
    std::function<void()> savePages;
};

class PageBook {
public:
    explicit PageBook(PageBookServices services) : services_(std::move(services)) {}

    void NextPage();
    void PreviousPage();
    void NewPage();
    void DeletePage();
    std::string CounterText() const;

    int32_t PageCount() const { return pageCount_; }
    int32_t CurrentPage() const { return currentPage_; }
    PageEditor& Editor(int32_t page) const { return *editors_.at(static_cast<size_t>(page - 1)); }
    // Editors in the list; one less than the page count while NewPage is creating an editor.
    size_t EditorCount() const { return editors_.size(); }

    // While the stored pages are being rebuilt, NewPage neither saves nor hides every editor:
    // the loader saves once at the end, and the rebuild stays linear in the page count.
    void SetRebuilding(bool rebuilding) { rebuilding_ = rebuilding; }

private:
    void CommonEnding();
    void ShowOnly(int32_t page);

    PageBookServices services_;
    int32_t pageCount_ = 0;
    int32_t currentPage_ = 0;
    std::vector<std::unique_ptr<PageEditor>> editors_;
    bool rebuilding_ = false;
};
