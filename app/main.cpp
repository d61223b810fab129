// 阿禾青枫贴.exe.  The note window arrives with the next step of the build-up; until then the
// program only proves that the build, its resources and the store link into one executable.
#include "platform/paths.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return ConfigFilePath().empty() ? 1 : 0; }
