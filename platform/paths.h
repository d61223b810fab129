#pragma once
#include <filesystem>

// The folder that holds the running executable, without a trailing separator.
std::wstring ExecutableDirectory();
// The configuration file: the executable's folder + "/青枫贴配置.ini".
std::filesystem::path ConfigFilePath();
