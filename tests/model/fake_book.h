#pragma once
// A page book over fake editors that records what the services were asked to do.
#include "model/page_book.h"

#include <memory>
#include <string>
#include <vector>

struct FakeEditor : PageEditor {
    explicit FakeEditor(int id, std::vector<FakeEditor*>* focusLog) : id(id), focusLog(focusLog) {}
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    std::u16string Text() const override { return text; }
    void SetText(std::u16string_view t) override {
        text = t;
        modified = true;
    }
    void Focus() override { focusLog->push_back(this); }
    bool Modified() const override { return modified; }
    void ClearModified() override { modified = false; }
    bool modified = false;

    int id;
    std::vector<FakeEditor*>* focusLog;
    bool visible = false;
    std::u16string text;
};

struct FakeNote {
    FakeNote()
        : book(PageBookServices{
              [this] {
                  auto editor = std::make_unique<FakeEditor>(static_cast<int>(created.size()) + 1, &focused);
                  created.push_back(editor.get());
                  return editor;
              },
              [this](const std::string& text) { counter = text; },
              [this](PageSound sound) { sounds.push_back(sound); },
              [this] {
                  ++notices;
                  if (onNotice) onNotice();
              },
              [this] {
                  ++saves;
                  if (onSave) onSave();
              },
          }) {}

    // Builds a book with these texts, current page as given, and clears the records.
    void Fill(const std::vector<std::u16string>& texts, int current) {
        for (const auto& t : texts) {
            book.NewPage();
            book.Editor(book.PageCount()).SetText(t);
        }
        while (book.CurrentPage() > current) book.PreviousPage();
        Clear();
    }
    void Clear() {
        sounds.clear();
        focused.clear();
        saves = 0;
        notices = 0;
    }
    std::vector<std::u16string> Texts() const {
        std::vector<std::u16string> out;
        for (int k = 1; k <= book.PageCount(); ++k) out.push_back(book.Editor(k).Text());
        return out;
    }
    int VisibleCount() const {
        int n = 0;
        for (int k = 1; k <= book.PageCount(); ++k) n += static_cast<FakeEditor&>(book.Editor(k)).visible;
        return n;
    }

    std::vector<FakeEditor*> created; // editors stay alive only while the book holds them
    std::vector<FakeEditor*> focused;
    std::vector<PageSound> sounds;
    std::string counter = "0/0";
    int saves = 0;
    int notices = 0;
    std::function<void()> onNotice;
    std::function<void()> onSave;
    PageBook book;
};
