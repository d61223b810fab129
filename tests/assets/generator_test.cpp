#include "asset_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <unistd.h>

namespace {

const char* const kGenerated[] = {
    "bg_white1.bmp", "bg_blue1.bmp",   "bg_red1.bmp",   "bg_green1.bmp", "bg_yellow1.bmp",
    "bg_x1.bmp",     "bar_green2.bmp", "bar_blue2.bmp", "bar_red2.bmp",  "bar_yellow2.bmp",
    "bar_x2.bmp",    "page_turn.wav",  "delete.wav",    "app.ico",
};

class Generator : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "assetgen-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    int Run(const std::filesystem::path& out) {
        const std::string command = std::string("'") + QF_ASSETGEN + "' '" + out.string() + "'";
        return std::system(command.c_str());
    }

    std::filesystem::path dir;
};

// `make assets` regenerates these; a hand-edited or stale file shows up here.
TEST_F(Generator, CommittedFilesAreWhatTheGeneratorMakes) {
    ASSERT_EQ(Run(dir), 0);
    std::set<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        written.insert(entry.path().filename().string());
    EXPECT_EQ(written, std::set<std::string>(std::begin(kGenerated), std::end(kGenerated)));
    for (const char* name : kGenerated) {
        const std::vector<std::uint8_t> fresh = ReadBytes(dir / name);
        const std::vector<std::uint8_t> committed = ReadBytes(AssetPath(name));
        ASSERT_FALSE(fresh.empty()) << name;
        EXPECT_TRUE(fresh == committed) << name << " differs from the generator's output; run `make assets`";
    }
}

} // namespace
