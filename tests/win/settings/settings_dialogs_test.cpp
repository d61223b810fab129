// The real instructions box: found on screen while it is up, read and closed with OK.
#include "note_fixture.h"

namespace settings_test {
namespace {

class RealDialogsTest : public SettingsTest {
protected:
    bool UseRealDialogs() const override { return true; }
};

struct SeenBox {
    std::wstring text;
    bool ownerless = false;
    bool hasIcon = true;
    int buttons = 0;
    int tries = 0;
    bool found = false;
};
SeenBox seen;

BOOL CALLBACK CountButton(HWND child, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if (lstrcmpiW(name, L"Button") == 0 && (style & WS_VISIBLE)) ++seen.buttons;
    if (lstrcmpiW(name, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON && (style & WS_VISIBLE) &&
        SendMessageW(child, STM_GETICON, 0, 0))
        seen.hasIcon = true;
    return TRUE;
}

// Runs inside the message box's own loop until the box is there, then reads and closes it.
void CALLBACK LookForBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowW(L"#32770", L"说明");
    if (!box) {
        if (++seen.tries > 500) KillTimer(nullptr, timer); // never came up; the test fails below
        return;
    }
    KillTimer(nullptr, timer);
    seen.found = true;
    wchar_t text[1024] = {};
    GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 1024);
    seen.text = text;
    seen.ownerless = GetWindow(box, GW_OWNER) == nullptr;
    seen.hasIcon = false;
    EnumChildWindows(box, CountButton, 0);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(RealDialogsTest, InstructionsBoxShowsTheSevenLinesWithOnlyOk) {
    seen = SeenBox{};
    SetTimer(nullptr, 0, 20, LookForBox);

    Click(kInstructionsButtonId); // returns once the box has been closed

    ASSERT_TRUE(seen.found);
    const std::wstring expected =
        L"0、不要选择文字，会导致文字重影，如果出现重影，按一下上一页，再按一下下一页，就可以解决。\r\n"
        L"1、本程序由我是乔阿禾制作，完全免费，欢迎使用。\r\n"
        L"2、能力有限，所以不支持文字颜色更换和斜体。\r\n"
        L"3、点击右下角的保存就能保存设置。\r\n"
        L"4、倒数第二的退出程序按钮为彻底退出阿禾青枫贴。\r\n"
        L"5、设置开机运行的同学如果不想开机运行了，可以再开始菜单→启动里面删除\r\n"
        L"6、点击支持作者按钮会弹一次广告。弹七千五百次作者能获得一个九阳豆浆机。建议设置弹出网址为主页，"
        L"这样二十年后作者就能免费拿到九阳豆浆机了。 ";
    EXPECT_EQ(seen.text, expected);
    EXPECT_TRUE(seen.ownerless);
    EXPECT_FALSE(seen.hasIcon);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_EQ(FileBytes(), InitialFile());
}

} // namespace
} // namespace settings_test
