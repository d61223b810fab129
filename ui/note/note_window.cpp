// The note window: its controls, the creation handler that carries out the start-up, the
// got-focus handler and the autosave tick.
#include "ui/note/note_window.h"

#include "assets/click_sound.h"
#include "assets/resource.h"
#include "assets/skin_table.h"
#include "model/config_keys.h"
#include "model/text_codec.h"
#include "ui/note/drawer.h"
#include "ui/note/label.h"
#include "ui/note/picture_control.h"
#include "ui/note/toolbar.h"
#include "ui/settings/settings_window.h"

namespace {
enum ControlId : int {
    kSheetId = 100,
    kTemplateEditorId,
    kNoticeId,
    kBottomStripId,
    kSaveNoticeId,
    kNextLabelId = 201,
    kPreviousLabelId,
    kNewLabelId,
    kDeleteLabelId,
    kCounterLabelId,
    kSettingsLabelId,
    kBarButtonId = 301,
};
enum TimerId : UINT_PTR { kSlideOutTimer = 1, kSlideBackTimer, kAutosaveTimer };

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr int kAutosaveBeforeFocus = 30000;
constexpr int kAutosaveAfterFocus = 100;

NoteProgram* ProgramOf(HWND hwnd) { return reinterpret_cast<NoteProgram*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

// The designed controls of the note window, created before the creation handler's steps.
void CreateControls(NoteProgram& program, HWND window) {
    NoteControls& c = program.note.controls;
    c.window = window;
    const LabelStyle toolbar{RGB(128, 128, 128), 12, true, L"", false};
    LabelStyle counter = toolbar;
    counter.centred = true;
    const LabelStyle notice{RGB(255, 0, 0), 16, true, L"微软雅黑", false};

    // Created top of the stack first: each later child goes below the ones before it.
    c.settingsLabel = CreateLabel(window, kSettingsLabelId, 310, 225, 28, 16, L"设置", toolbar);
    c.nextLabel = CreateLabel(window, kNextLabelId, 266, 225, 40, 16, L"下一页", toolbar);
    c.deleteLabel = CreateLabel(window, kDeleteLabelId, 234, 225, 26, 16, L"删除", toolbar);
    c.counterLabel = CreateLabel(window, kCounterLabelId, 182, 225, 35, 16, L"0/0", counter);
    c.newLabel = CreateLabel(window, kNewLabelId, 145, 225, 26, 16, L"新建", toolbar);
    c.previousLabel = CreateLabel(window, kPreviousLabelId, 99, 225, 40, 16, L"上一页", toolbar);
    c.barButton = CreateBarButton(window, kBarButtonId, 8, 25, 53, 32);
    c.sheet = CreateSheetPicture(window, kSheetId, 54, -1, 300, 245);
    for (HWND child : {c.settingsLabel, c.nextLabel, c.deleteLabel, c.counterLabel, c.newLabel, c.previousLabel,
                       c.barButton, c.sheet})
        SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    c.notice = CreateLabel(c.sheet, kNoticeId, 50, 97, 184, 32, L"只剩一页了，不能删除！", notice, false);
    program.saveNotice = CreateLabel(c.sheet, kSaveNoticeId, 18, 190, 254, 28, L"", LabelStyle{RGB(255, 0, 0), 16, true,
                                                                                                L"微软雅黑", true},
                                     false);
    c.bottomStrip = CreateLabel(c.sheet, kBottomStripId, 42, 219, 216, 24, L"", toolbar);
    c.templateEditor = CreateWindowExW(0, L"EDIT", L"",
                                       WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_TABSTOP |
                                           WS_CLIPSIBLINGS,
                                       18, 14, 272, 208, c.sheet,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTemplateEditorId)),
                                       reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)), nullptr);
    for (HWND child : {c.notice, program.saveNotice, c.bottomStrip, c.templateEditor})
        SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    program.slideOut.Bind(window);
    program.slideBack.Bind(window);
    program.autosave.Bind(window);
}

const wchar_t* SaveProblemText(FileError error) {
    switch (error) {
    case FileError::AccessDenied: return L"无法保存：配置文件只读";
    case FileError::Locked: return L"无法保存：配置文件被占用";
    case FileError::DiskFull: return L"无法保存：磁盘空间不足";
    default: return L"无法保存：写入配置文件失败";
    }
}

// Shows the red notice while the file cannot be written; the text stays in the editors and
// every tick tries again.
void RecordSave(NoteProgram& program, SaveOutcome) {
    // Saves are written on the page writer's thread; what it last found is the state to show.
    FileError error = program.pages.LastError();
    if (error == program.saveError) return;
    program.saveError = error;
    if (error != FileError::None) SetLabelText(program.saveNotice, SaveProblemText(error));
    ShowLabel(program.saveNotice, error != FileError::None);
}

void SavePages(NoteProgram& program, bool force) { RecordSave(program, program.pages.SavePages(program.book, force)); }

void ApplyStoredSettings(NoteProgram& program) {
    Note& note = program.note;
    ProfileStore& store = program.store;
    std::string background = store.Read(keys::kSettingsSection, keys::kBackground);
    std::string bar = store.Read(keys::kSettingsSection, keys::kBar);
    note.muteSetting = store.Read(keys::kSettingsSection, keys::kMute);
    bool keepOnTop = keys::IsTrue(store.Read(keys::kSettingsSection, keys::kKeepOnTop));
    SetSettingsBoxes(note, keepOnTop, keys::IsTrue(note.muteSetting));
    SetSheetSkin(note, ResolveBackgroundSkin(background));
    SetBarSkin(note, ResolveBarSkin(bar));
    SetKeepOnTop(note, keepOnTop);
}

void SetIcons(HWND hwnd) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
    auto big = static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), LR_SHARED));
    auto small = static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

// The creation handler: the program's whole start-up.
void OnCreate(NoteProgram& program, HWND hwnd) {
    CreateControls(program, hwnd);
    SetIcons(hwnd);

    LONG exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
    SetWindowLongW(hwnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd, kMagenta, 244, LWA_COLORKEY);

    int left = GetSystemMetrics(SM_CXSCREEN) - 355;
    int top = 100;
    SetWindowPos(hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    CreateSettingsWindow(program.note, left - 90, top + 30);
    ApplyStoredSettings(program);

    ApplyStoredFont(program.store, program.book, program.note.keptFont);
    program.pages.LoadPages(program.book);
    // A stored font reaches the rebuilt pages; a first run keeps the template's font.
    if (program.note.keptFont.stored) ApplyStoredFont(program.store, program.book, program.note.keptFont);
    RecordSave(program, SaveOutcome::Unchanged);
}

void OnGotFocus(NoteProgram& program) {
    program.hadFocus = true;
    program.autosave.SetPeriod(kAutosaveAfterFocus);
}

void OnActivate(NoteProgram& program, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) return;
    OnGotFocus(program);
    // Typing goes on where it was: the page, not the bare window, gets the keyboard.
    if (program.book.CurrentPage() >= 1) program.book.Editor(program.book.CurrentPage()).Focus();
}

void OnAutosaveTick(NoteProgram& program) { SavePages(program, false); }

void OnTimer(NoteProgram& program, UINT_PTR id) {
    switch (id) {
    case kSlideOutTimer: OnSlideOutTick(program); break;
    case kSlideBackTimer: OnSlideBackTick(program); break;
    case kAutosaveTimer: OnAutosaveTick(program); break;
    }
}

void OnCommand(NoteProgram& program, WORD id, WORD code) {
    Note& note = program.note;
    if (code == kLabelPressed) {
        switch (id) {
        case kPreviousLabelId: OnPreviousLabelPress(note); break;
        case kNewLabelId: OnNewLabelPress(note); break;
        case kDeleteLabelId: OnDeleteLabelPress(note); break;
        case kNextLabelId: OnNextLabelPress(note); break;
        case kSettingsLabelId: OnSettingsLabelPress(note); break;
        }
        return;
    }
    if (id == kBarButtonId && code == BN_CLICKED) return OnBarButtonClick(program);
    if (code == EN_SETFOCUS) return OnGotFocus(program);
}

void BringToFront(HWND hwnd) {
    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd);
}

LRESULT CALLBACK NoteWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    NoteProgram* program = ProgramOf(hwnd);
    if (!program) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == ShowNoteMessage() && ShowNoteMessage() != 0) {
        BringToFront(hwnd);
        return 0;
    }
    switch (message) {
    case WM_CREATE: OnCreate(*program, hwnd); return 0;
    case WM_ACTIVATE: OnActivate(*program, wParam); return 0;
    case WM_SETFOCUS: OnGotFocus(*program); return 0;
    case WM_TIMER: OnTimer(*program, wParam); return 0;
    case WM_COMMAND: OnCommand(*program, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_QUERYENDSESSION: SaveBeforeExit(*program); return TRUE;
    case WM_ENDSESSION:
        if (wParam) SaveBeforeExit(*program);
        return 0;
    case WM_CLOSE:
        // Alt+F4 on the note ends the program as the settings window's exit button does.
        if (program->note.exitProgram) program->note.exitProgram();
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

uint32_t HashPath(const std::filesystem::path& path) {
    // FNV-1a over the lower-cased path: the same folder always gives the same value.
    uint32_t hash = 2166136261u;
    for (wchar_t ch : path.wstring()) {
        hash ^= static_cast<uint32_t>(towlower(ch));
        hash *= 16777619u;
    }
    return hash | 1; // never 0, which GetProp returns for "none"
}
} // namespace

NoteProgram::NoteProgram(const std::filesystem::path& configPath, FileSystem& files)
    : store(configPath, files, SystemCodec()), pages(store, SystemCodec()),
      book(PageBookServices{
          [this] {
              HWND editor = CreatePageEditor({note.controls.sheet, note.controls.templateEditor, &transparency});
              // A new page takes the font the other pages show, not the template's.
              if (book.EditorCount() > 0) CopyEditorFont(EditorWindow(book.Editor(1)), editor);
              return WrapPageEditor(editor);
          },
          [this](const std::string& text) { SetCounterText(note, text); },
          [this](PageSound sound) { PlayPageSound(note, sound); },
          [this] { ShowOnePageNotice(note); },
          [this] { SavePages(*this, true); },
      }),
      slideOut(kSlideOutTimer, 0), slideBack(kSlideBackTimer, 0), autosave(kAutosaveTimer, kAutosaveBeforeFocus) {
    note.store = &store;
    note.pages = &pages;
    note.book = &book;
    note.transparency = &transparency;
    pages.StartWriter();
    note.exitProgram = [this] {
        SaveBeforeExit(*this);
        StopClickSounds();
        ExitProcess(0);
    };
}

UINT ShowNoteMessage() {
    static UINT message = RegisterWindowMessageW(L"QingFengTie.ShowNote");
    return message;
}

void SaveBeforeExit(NoteProgram& program) {
    if (program.book.PageCount() >= 1) SavePages(program, false);
    program.pages.Flush();
}

uint32_t ConfigPathHash(const std::filesystem::path& configPath) { return HashPath(configPath); }

std::unique_ptr<NoteProgram> StartNote(HINSTANCE instance, const std::filesystem::path& configPath,
                                       FileSystem& files) {
    RegisterLabelClass(instance);
    RegisterPictureControls(instance);
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = NoteWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(kMagenta);
    wc.lpszClassName = kNoteWindowClass;
    RegisterClassExW(&wc);

    auto program = std::make_unique<NoteProgram>(configPath, files);
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, kNoteWindowClass, L"", WS_POPUP | WS_CLIPCHILDREN, 50, 50, 400, 250,
                                nullptr, nullptr, instance, program.get());
    if (!hwnd) return nullptr;
    SetPropW(hwnd, kConfigHashProperty, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(HashPath(configPath))));
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    return program;
}
