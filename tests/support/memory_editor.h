#pragma once
// A page editor that only holds its text, for the fuzz target and the benchmarks.
#include "model/page_book.h"

#include <memory>
#include <string>

struct MemoryEditor : PageEditor {
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    std::u16string Text() const override { return text; }
    void SetText(std::u16string_view t) override {
        text = t;
        modified = true;
    }
    void Focus() override {}
    bool Modified() const override { return modified; }
    void ClearModified() override { modified = false; }

    bool visible = false;
    bool modified = false;
    std::u16string text;
};

// A book whose services do nothing.
inline PageBook MakeMemoryBook() {
    return PageBook({[] { return std::make_unique<MemoryEditor>(); }, [](const std::string&) {}, [](PageSound) {},
                     [] {}, [] {}});
}
