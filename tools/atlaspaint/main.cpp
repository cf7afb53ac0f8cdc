// atlaspaint OUTDIR [--pam]: paints the splash, menu and game atlases and writes
// textureSplash.dtt, textureMenu.dtt and textureGame.dtt into OUTDIR (with --pam also a PAM
// image of each, for looking at: `convert textureMenu.pam textureMenu.png`).
#include <cstdio>
#include <cstring>
#include <string>

#include "canvas.h"
#include "defcenc.h"

Canvas paintSplash();
Canvas paintMenu();
Canvas paintGame();

int main(int argc, char **argv) {
    if (argc < 2 || (argc == 3 && strcmp(argv[2], "--pam") != 0) || argc > 3) {
        fprintf(stderr, "usage: atlaspaint OUTDIR [--pam]\n");
        return 2;
    }
    std::string dir = argv[1];
    bool pam = argc == 3;
    struct Job {
        const char *name;
        Canvas (*paint)();
    };
    const Job jobs[] = {
        {"textureSplash", paintSplash}, {"textureMenu", paintMenu}, {"textureGame", paintGame}};
    for (const Job &job : jobs) {
        Canvas c = job.paint();
        std::vector<uint8_t> rgba = c.bytes();
        std::string base = dir + "/" + job.name;
        if (!defcFileWrite((base + ".dtt").c_str(), defcEncode(rgba.data(), rgba.size()))) {
            fprintf(stderr, "atlaspaint: cannot write %s.dtt\n", base.c_str());
            return 1;
        }
        if (pam && !defcPamWrite((base + ".pam").c_str(), rgba.data(), c.w, c.h)) {
            fprintf(stderr, "atlaspaint: cannot write %s.pam\n", base.c_str());
            return 1;
        }
    }
    return 0;
}
