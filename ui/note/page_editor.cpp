// The page editors: clones of the template editor made see-through, and their font.
#include "ui/note/page_editor.h"

#include "model/config_keys.h"
#include "model/config_store.h"
#include "model/text_services.h"
#include "platform/codepage.h"
#include "platform/unique.h"
#include "ui/note/png_control.h"

#include <cwchar>
#include <initializer_list>
#include <string>
#include <utility>

namespace {

// The editor's current font, created by the functions below; the editor keeps it until the
// next one is in place, so that neither a font change nor an editor leaks a font.
constexpr wchar_t kFontProperty[] = L"PageEditor_Font";

// The template editor as the form records it.
constexpr int kLeft = 18;
constexpr int kTop = 14;
constexpr int kWidth = 272;
constexpr int kHeight = 208;
constexpr DWORD kStyle = WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_TABSTOP | WS_CLIPSIBLINGS;
constexpr LONG kTemplateHeight = -21;
constexpr LONG kTemplateWeight = 700;
constexpr wchar_t kTemplateFace[] = L"张海山锐线体简";
constexpr wchar_t kFallbackFace[] = L"宋体";
constexpr size_t kFaceLimitBytes = 32; // LF_FACESIZE of the ANSI record the file's names fit

void GiveFont(HWND editor, LOGFONTW font, bool redraw) {
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    HFONT created = CreateFontIndirectW(&font);
    if (!created) return;
    // Deleted only after the editor has switched to the new font.
    UniqueFont previous(static_cast<HFONT>(RemovePropW(editor, kFontProperty)));
    SetPropW(editor, kFontProperty, created);
    SendMessageW(editor, WM_SETFONT, reinterpret_cast<WPARAM>(created), redraw ? TRUE : FALSE);
}

LOGFONTW CurrentFont(HWND editor) {
    LOGFONTW font{};
    auto current = reinterpret_cast<HFONT>(SendMessageW(editor, WM_GETFONT, 0, 0));
    if (!current || GetObjectW(current, sizeof font, &font) <= 0) {
        font = LOGFONTW{};
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    return font;
}

template <typename Change> void SetFontValue(HWND editor, Change change) {
    if (!IsWindow(editor)) return;
    LOGFONTW font = CurrentFont(editor);
    change(font);
    GiveFont(editor, font, true);
}

void SetBold(HWND editor, bool on) {
    SetFontValue(editor, [on](LOGFONTW& f) { f.lfWeight = on ? FW_BOLD : FW_DONTCARE; });
}
void SetUnderline(HWND editor, bool on) {
    SetFontValue(editor, [on](LOGFONTW& f) { f.lfUnderline = on ? TRUE : FALSE; });
}
void SetStrikeout(HWND editor, bool on) {
    SetFontValue(editor, [on](LOGFONTW& f) { f.lfStrikeOut = on ? TRUE : FALSE; });
}
void SetItalic(HWND editor, bool on) {
    SetFontValue(editor, [on](LOGFONTW& f) { f.lfItalic = on ? TRUE : FALSE; });
}

void SetSize(HWND editor, int32_t size) {
    int pixelsPerInch = 96;
    {
        WindowDc screen(nullptr);
        pixelsPerInch = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
    const int32_t points = size < 0 ? 0 : size;
    const LONG height = points == 0 ? 0 : -MulDiv(points, pixelsPerInch, 72);
    SetFontValue(editor, [height](LOGFONTW& f) { f.lfHeight = height; });
}

// The limit counts ANSI bytes, as the file stores the name; a name that would not fit the
// ANSI record falls back to 宋体 rather than being cut in the middle of a character.
void SetFace(HWND editor, std::string_view faceName) {
    std::wstring face =
        (faceName.empty() || faceName.size() >= kFaceLimitBytes) ? std::wstring(kFallbackFace) : WidenAnsi(faceName);
    SetFontValue(editor, [&face](LOGFONTW& f) {
        wmemset(f.lfFaceName, L'\0', LF_FACESIZE);
        face.copy(f.lfFaceName, LF_FACESIZE - 1);
    });
}

class WindowPageEditor final : public PageEditor {
public:
    explicit WindowPageEditor(HWND hwnd) : hwnd_(hwnd) {}
    WindowPageEditor(const WindowPageEditor&) = delete;
    WindowPageEditor& operator=(const WindowPageEditor&) = delete;
    ~WindowPageEditor() override {
        if (!IsWindow(hwnd_)) return;
        UniqueFont font(static_cast<HFONT>(RemovePropW(hwnd_, kFontProperty)));
        DestroyWindow(hwnd_);
    }

    void Show() override { ShowWindow(hwnd_, SW_SHOW); }
    void Hide() override { ShowWindow(hwnd_, SW_HIDE); }
    std::u16string Text() const override {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
        return ToU16(text);
    }
    // WM_SETTEXT clears the control's own modified flag; the book counts it as a change.
    void SetText(std::u16string_view text) override {
        SetWindowTextW(hwnd_, ToWide(text).c_str());
        SendMessageW(hwnd_, EM_SETMODIFY, TRUE, 0);
    }
    void Focus() override { SetFocus(hwnd_); }
    bool Modified() const override { return SendMessageW(hwnd_, EM_GETMODIFY, 0, 0) != 0; }
    void ClearModified() override { SendMessageW(hwnd_, EM_SETMODIFY, FALSE, 0); }

    HWND Window() const { return hwnd_; }

private:
    HWND hwnd_;
};

} // namespace

HWND CreatePageEditor(const PageEditorContext& context) {
    HWND editor = CreateWindowExW(0, L"EDIT", L"", kStyle, kLeft, kTop, kWidth, kHeight, context.parent, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!editor) return nullptr;
    SendMessageW(editor, EM_SETLIMITTEXT, 0, 0); // 0: as much as the control can hold
    LOGFONTW font{};
    font.lfHeight = kTemplateHeight;
    font.lfWeight = kTemplateWeight;
    wcsncpy(font.lfFaceName, kTemplateFace, LF_FACESIZE - 1);
    GiveFont(editor, font, false);
    if (context.templateEditor) {
        SetWindowPos(editor, context.templateEditor, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    }
    if (context.transparency) {
        context.transparency->AttachEdit(editor);
        context.transparency->SetBackColor(-1, 0, true);
        context.transparency->SetBorderColor(-1, 0, false);
    }
    return editor;
}

std::unique_ptr<PageEditor> WrapPageEditor(HWND editor) {
    return std::make_unique<WindowPageEditor>(editor);
}

HWND EditorWindow(const PageEditor& editor) {
    auto window = dynamic_cast<const WindowPageEditor*>(&editor);
    return window ? window->Window() : nullptr;
}

void ApplyStoredFont(ProfileStore& store, const PageBook& book, KeptFont& kept) {
    const std::string size = store.Read(keys::kSettingsSection, keys::kFontSize);
    kept.size = TextToInt(size);
    kept.faceName = store.Read(keys::kSettingsSection, keys::kFontName);
    bool anyKey = !size.empty() || !kept.faceName.empty();

    const auto eachEditor = [&book](auto apply) {
        for (int32_t page = 1; page <= book.PageCount(); ++page) {
            if (HWND editor = EditorWindow(book.Editor(page))) apply(editor);
        }
    };
    for (auto [key, set] : {std::pair{keys::kBold, &SetBold}, std::pair{keys::kUnderline, &SetUnderline},
                            std::pair{keys::kStrikeout, &SetStrikeout}, std::pair{keys::kItalic, &SetItalic}}) {
        const std::string value = store.Read(keys::kSettingsSection, key);
        anyKey = anyKey || !value.empty();
        if (keys::IsTrue(value)) eachEditor([set](HWND editor) { set(editor, true); });
    }
    eachEditor([&kept](HWND editor) { SetFace(editor, kept.faceName); });
    eachEditor([&kept](HWND editor) { SetSize(editor, kept.size); });
    kept.stored = anyKey;
}

void ApplyEditorFont(HWND editor, int32_t size, std::string_view faceName, bool bold, bool underline, bool strikeout,
                     bool italic) {
    SetSize(editor, size);
    SetFace(editor, faceName);
    SetBold(editor, bold);
    SetUnderline(editor, underline);
    SetStrikeout(editor, strikeout);
    SetItalic(editor, italic);
}

void CopyEditorFont(HWND from, HWND to) {
    if (!IsWindow(from) || !IsWindow(to)) return;
    GiveFont(to, CurrentFont(from), true);
}
