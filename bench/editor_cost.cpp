// Where the time of building 1,000 page editors goes (printed per step).
#include "platform/unique.h"
#include "ui/note/label.h"
#include "ui/note/page_editor.h"
#include "ui/note/picture_control.h"
#include "ui/note/png_control.h"

#include <cstdio>
#include <vector>

static double Now() {
    LARGE_INTEGER c, f;
    QueryPerformanceCounter(&c);
    QueryPerformanceFrequency(&f);
    return 1000.0 * c.QuadPart / f.QuadPart;
}

int main() {
    InitTransparency();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterPictureControls(instance);
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"CostHost";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, L"CostHost", L"", WS_POPUP | WS_VISIBLE, 100, 100, 400, 250, nullptr, nullptr, instance, nullptr);
    HWND sheet = CreateSheetPicture(window, 1, 54, -1, 300, 245);
    HWND tmpl = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE, 18, 14, 272, 208, sheet, nullptr, instance, nullptr);
    PngControl png;
    std::vector<HWND> editors;
    std::vector<std::unique_ptr<PageEditor>> pages;
    double t0 = Now();
    for (int i = 0; i < 1000; ++i) editors.push_back(CreatePageEditor({sheet, tmpl, &png}));
    double t1 = Now();
    for (int i = 1; i < 1000; ++i) CopyEditorFont(editors[0], editors[i]);
    double t2 = Now();
    for (HWND e : editors) pages.push_back(WrapPageEditor(e));
    for (auto& p : pages) p->SetText(u"\u9752\u67ab\u8d34 a line of the note\r\nand another line");
    double t3 = Now();
    for (int i = 0; i < 1000; ++i) {
        pages[i]->Show();
        if (i) pages[i - 1]->Hide();
    }
    double t4 = Now();
    for (auto& p : pages) (void)p->Text();
    double t5 = Now();
    std::printf("create %.2f ms/editor, copy font %.2f, set text %.2f, show+hide %.2f, read text %.3f\n", (t1 - t0) / 1000,
                (t2 - t1) / 1000, (t3 - t2) / 1000, (t4 - t3) / 1000, (t5 - t4) / 1000);
}
