// 开机自启: a shell shortcut in the user's Startup folder that starts 阿禾青枫贴.exe beside
// the executable when the user logs on.
#include "platform/codepage.h"
#include "platform/paths.h"
#include "ui/settings/settings_operations.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {
// Joined to the program folder with its own slash, and to the Startup folder after a
// backslash: the file system reads "\/" as one separator, so the shortcut is named
// 阿禾青枫贴.exe.lnk.  Earlier copies of the program made exactly this name.
constexpr wchar_t kProgramName[] = L"/阿禾青枫贴.exe";

bool IsFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Releases a COM interface at the end of its scope.
template <typename Interface> struct ComRef {
    Interface* p = nullptr;
    ~ComRef() {
        if (p) p->Release();
    }
};

// COM for this thread for the time of one registration, unless the thread already has it
// in another apartment model, which serves just as well.
struct ComScope {
    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComScope() {
        if (SUCCEEDED(result)) CoUninitialize();
    }
};

void SaveShortcut(const std::wstring& target, const std::wstring& shortcutPath) {
    ComScope com;
    ComRef<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link.p))))
        return;
    link.p->SetPath(target.c_str());
    ComRef<IPersistFile> file;
    if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) return;
    file.p->Save(shortcutPath.c_str(), TRUE);
}
} // namespace

void RegisterStartup(const std::wstring& programDirectory, const std::wstring& startupFolder) {
    std::wstring commandPath = programDirectory + kProgramName;
    if (!IsFile(commandPath) || startupFolder.empty()) return;
    std::wstring shortcutPath = startupFolder + L"\\" + kProgramName + L".lnk";
    // Startup entries are read by ANSI programs too; a path that does not fit MAX_PATH bytes
    // there would be a shortcut nobody can open, so none is made.
    if (NarrowToAnsi(shortcutPath).size() + 1 > MAX_PATH) return;
    SaveShortcut(commandPath, shortcutPath);
    SHChangeNotify(SHCNE_CREATE, SHCNF_PATHW | SHCNF_FLUSH, shortcutPath.c_str(), nullptr);
    SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHW | SHCNF_FLUSH, startupFolder.c_str(), nullptr);
}

void RegisterStartup() {
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, FALSE)) return;
    RegisterStartup(ExecutableDirectory(), folder);
}
