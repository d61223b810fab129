// The settings window's operations on the note: skins, font, keep-on-top and mute, the
// instructions box, the sponsor page and exit.
#include "ui/settings/settings_operations.h"

#include "assets/skin_table.h"
#include "model/config_keys.h"
#include "model/text_services.h"
#include "platform/codepage.h"
#include "ui/note/label.h"
#include "ui/note/note.h"
#include "ui/note/toolbar.h"
#include "ui/settings/settings_state.h"

#include <shellapi.h>

namespace {
void WriteSetting(Note& note, std::string_view key, std::string_view value) {
    if (note.store) note.store->Write(keys::kSettingsSection, key, value);
}

bool IsTicked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
} // namespace

const std::wstring_view kInstructionsText =
    L"0、不要选择文字，会导致文字重影，如果出现重影，按一下上一页，再按一下下一页，就可以解决。\r\n"
    L"1、本程序由我是乔阿禾制作，完全免费，欢迎使用。\r\n"
    L"2、能力有限，所以不支持文字颜色更换和斜体。\r\n"
    L"3、点击右下角的保存就能保存设置。\r\n"
    L"4、倒数第二的退出程序按钮为彻底退出阿禾青枫贴。\r\n"
    L"5、设置开机运行的同学如果不想开机运行了，可以再开始菜单→启动里面删除\r\n"
    L"6、点击支持作者按钮会弹一次广告。弹七千五百次作者能获得一个九阳豆浆机。建议设置弹出网址为主页，这样二十年后作者就"
    L"能免费"
    L"拿到九阳豆浆机了。 ";

void PickSkin(Note& note, const SkinEntry& skin) {
    bool background = skin.kind == SkinKind::Background;
    if (background)
        SetSheetSkin(note, skin);
    else
        SetBarSkin(note, skin);
    RefreshToolbarLabels(note);
    WriteSetting(note, background ? keys::kBackground : keys::kBar, skin.colourName);
}

void RefreshToolbarLabels(Note& note) {
    auto labels = ToolbarLabels(note.controls);
    for (HWND label : labels)
        ShowLabel(label, false);
    for (HWND label : labels)
        ShowLabel(label, true);
}

void PickEditorFont(Note& note) {
    SettingsState* state = SettingsStateOf(note);
    if (!state || !state->dialogs.chooseFont) return;
    // A Cancel keeps the held values, and carrying on with them would overwrite the stored
    // font with whatever was last confirmed (or with nothing at all, before the first OK).
    // The user asked for no change, so none is made.
    if (!state->dialogs.chooseFont(note.controls.settingsWindow, state->font)) return;
    if (!note.store || !note.book) return;
    PageBook& book = *note.book;
    ApplyStoredFont(*note.store, book, note.keptFont);
    const FontChoice& font = state->font;
    for (int32_t page = 1; page <= book.PageCount(); ++page) {
        if (HWND editor = EditorWindow(book.Editor(page)))
            ApplyEditorFont(editor, font.size, font.faceName, font.bold, font.underline, font.strikeout, font.italic);
    }
    WriteSetting(note, keys::kFontSize, IntToText(font.size));
    WriteSetting(note, keys::kFontName, font.faceName);
    WriteSetting(note, keys::kBold, keys::BoolText(font.bold));
    WriteSetting(note, keys::kUnderline, keys::BoolText(font.underline));
    WriteSetting(note, keys::kStrikeout, keys::BoolText(font.strikeout));
    WriteSetting(note, keys::kItalic, keys::BoolText(font.italic));
    // Turning the page forth and back, as the two labels do, redraws the see-through editor
    // with its new font.
    OnNextLabelPress(note);
    OnPreviousLabelPress(note);
}

void CloseSettingsWindow(Note& note) {
    SettingsState* state = SettingsStateOf(note);
    if (!state) return;
    bool keepOnTop = IsTicked(state->keepOnTopBox);
    WriteSetting(note, keys::kKeepOnTop, keys::BoolText(keepOnTop));
    SetKeepOnTop(note, keepOnTop);
    WriteSetting(note, keys::kMute, keys::BoolText(IsTicked(state->muteBox)));
    ShowWindow(note.controls.settingsWindow, SW_HIDE);
}

void SaveSettings(Note& note) {
    SettingsState* state = SettingsStateOf(note);
    if (!state) return;
    // Pages made with 新建 since the last font change still show the template's font.
    if (note.store && note.book) ApplyStoredFont(*note.store, *note.book, note.keptFont);
    CloseSettingsWindow(note);
    note.muteSetting = std::string(keys::BoolText(IsTicked(state->muteBox)));
}

void ShowInstructions(Note& note) {
    SettingsState* state = SettingsStateOf(note);
    if (state && state->dialogs.showMessage) state->dialogs.showMessage(std::wstring(kInstructionsText), L"说明");
}

void OpenSponsorPage() {
    std::wstring address = WidenAnsi(QF_SPONSOR_URL);
    ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ExitProgram(Note& note) {
    if (note.exitProgram) note.exitProgram();
}
