// audiogen: synthesises the menu click and the menu track and writes them, byte for byte the
// same on every run, as <folder>/sfx/sfxMenuClick.wav and <folder>/bgm/bgmMenu.ogg.
#include <cstdio>
#include <filesystem>
#include <string>

#include "oggwrite.h"
#include "synth.h"

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    std::filesystem::path root = argv[1];
    std::error_code error;
    std::filesystem::create_directories(root / "sfx", error);
    std::filesystem::create_directories(root / "bgm", error);

    std::vector<float> click = synthClick();
    std::string clickPath = (root / "sfx" / "sfxMenuClick.wav").string();
    if (!wavWrite(clickPath, click.data(), int(click.size()), 1, synthRate)) {
        fprintf(stderr, "audiogen: cannot write %s\n", clickPath.c_str());
        return 1;
    }
    std::vector<float> track = synthMenuTrack();
    std::string trackPath = (root / "bgm" / "bgmMenu.ogg").string();
    if (!oggWrite(trackPath, track.data(), int(track.size() / 2), 2, synthRate, 0.1f)) {
        fprintf(stderr, "audiogen: cannot write %s\n", trackPath.c_str());
        return 1;
    }
    return 0;
}
