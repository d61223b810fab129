// Painting, font changes and editors that come and go must not leave GDI objects behind: the
// note repaints its editor on every key press and lives for weeks.
#include "tests/win/editors/editor_host.h"

#include "platform/unique.h"

#include <gtest/gtest.h>
#include <winternl.h>

#include <iostream>

namespace editor_test {
namespace {

// GetGuiResources where the system has it; Wine answers 0, so there the live entries of the
// process's GDI handle table (the PEB's GdiSharedHandleTable, 24-byte entries with the object
// type at offset 14, 0 for a free entry) are counted instead.
long GdiObjectCount() {
    if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<long>(count);
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
        return -1;
    }
    auto peb = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
    auto table = *reinterpret_cast<const unsigned char* const*>(peb + 0xF8);
    if (!table) return -1;
    constexpr size_t kEntries = 0x10000;
    constexpr size_t kEntrySize = 24;
    long live = 0;
    for (size_t i = 0; i < kEntries; ++i)
        live += table[i * kEntrySize + 14] != 0;
    return live;
}

std::wstring ManyLines() {
    std::wstring text;
    for (int i = 0; i < 30; ++i)
        text += L"青枫贴 line " + std::to_wstring(i) + L" with some words\r\n";
    return text;
}

// One object of each kind the editors use, made and deleted.
void MakeAndDeleteOneOfEach(int extraFrom) {
    LOGFONTW font{};
    font.lfHeight = -12;
    WindowDc screen(nullptr);
    HGDIOBJ objects[] = {CreateSolidBrush(RGB(1, 2, 3)), CreateFontIndirectW(&font),
                         CreateCompatibleBitmap(screen.get(), 272, 208), CreateCompatibleDC(screen.get())};
    if (extraFrom >= 0) {
        EXPECT_EQ(GdiObjectCount(), extraFrom + 4)
            << "the counter must see new objects, or the test below proves nothing";
    }
    DeleteObject(objects[0]);
    DeleteObject(objects[1]);
    DeleteObject(objects[2]);
    DeleteDC(static_cast<HDC>(objects[3]));
}

TEST(GdiObjects, CountIsSeenToMove) {
    MakeAndDeleteOneOfEach(-1); // the first of each kind may set up caches of the system's own
    const long before = GdiObjectCount();
    ASSERT_GT(before, 0);
    MakeAndDeleteOneOfEach(before);
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(GdiObjects, ReturnToWhereTheyStartedAfterPaintsFontChangesAndEditors) {
    constexpr long kSlack = 4;
    SheetHost host;
    HWND editor = host.ShowEditor(ManyLines());
    SetFocus(editor);
    // Warm up whatever the system caches on first use (fonts, DC state).
    for (int i = 0; i < 5; ++i) {
        RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        UpdateWindow(editor);
        ApplyEditorFont(editor, 10 + i, "Arial", i % 2 == 0, false, false, false);
    }
    {
        auto warm = WrapPageEditor(CreatePageEditor(host.Context()));
        warm->Show();
        Pump();
    }
    Pump();

    const long start = GdiObjectCount();
    for (int i = 0; i < 1000; ++i) {
        // With the frame: every paint also takes a new background snapshot.
        RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | (i % 2 ? RDW_FRAME : 0));
        UpdateWindow(editor);
        if (i % 100 == 0) SendMessageW(editor, EM_SETSEL, i % 7, 40);
    }
    Pump();
    const long afterPaints = GdiObjectCount();

    for (int i = 0; i < 200; ++i) { // six font values each: 1,200 new fonts
        ApplyEditorFont(editor, 9 + i % 5, i % 3 ? "Arial" : "\xbf\xac\xcc\xe5", i % 2, i % 3 == 0, false, i % 5 == 0);
    }
    Pump();
    const long afterFonts = GdiObjectCount();

    for (int i = 0; i < 100; ++i) {
        auto page = WrapPageEditor(CreatePageEditor(host.Context()));
        page->SetText(u"page");
        page->Show();
        UpdateWindow(EditorWindow(*page));
        ApplyEditorFont(EditorWindow(*page), 12, "Arial", true, false, false, false);
    }
    Pump();
    const long afterEditors = GdiObjectCount();

    std::cout << (GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) ? "GetGuiResources" : "handle table")
              << " GDI objects: start " << start << ", after 1000 paints " << afterPaints
              << ", after 1200 font changes " << afterFonts << ", after 100 editors " << afterEditors << "\n";
    EXPECT_LE(afterPaints - start, kSlack);
    EXPECT_LE(afterFonts - start, kSlack);
    EXPECT_LE(afterEditors - start, kSlack);
}

} // namespace
} // namespace editor_test
