// assetgen OUTDIR: writes the note's skins, click sounds and icon. The output is the same,
// byte for byte, on every run; the committed files in assets/ are its output.
#include "icon.h"
#include "skins.h"
#include "sounds.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen OUTDIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);

    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
    for (auto* make : {&MakeBackgroundSkins, &MakeBarSkins})
        for (NamedImage& skin : make()) {
            if (!KeepsAwayFromMagenta(skin.image)) {
                std::fprintf(stderr, "assetgen: %s has a pixel close to the colour key\n", skin.fileName.c_str());
                return 1;
            }
            files.emplace_back(skin.fileName, EncodeBmp24(skin.image));
        }
    files.emplace_back("page_turn.wav", MakePageTurnWave());
    files.emplace_back("delete.wav", MakeDeleteWave());
    files.emplace_back("app.ico", MakeIcon());

    for (const auto& [name, bytes] : files) {
        if (!WriteFile(dir / name, bytes)) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", (dir / name).string().c_str());
            return 1;
        }
    }
    return 0;
}
