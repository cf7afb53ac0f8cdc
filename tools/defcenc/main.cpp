// defcenc: turns a PAM image into a .dtt file, or (-d) a 512-texel-wide .dtt back into a
// PAM image to look at (ImageMagick's convert makes a PNG of it).
#include <cstdio>
#include <cstring>
#include <vector>

#include "defcenc.h"
#include "video/defc.h"

static int usage() {
    fprintf(stderr, "usage: defcenc IMAGE.pam OUT.dtt\n"
                    "       defcenc -d IN.dtt OUT.pam   (images 512 texels wide)\n");
    return 2;
}

int main(int argc, char **argv) {
    if (argc == 4 && strcmp(argv[1], "-d") == 0) {
        std::vector<uint8_t> file;
        if (!defcFileRead(argv[2], file)) {
            fprintf(stderr, "defcenc: cannot read %s\n", argv[2]);
            return 1;
        }
        constexpr int width = 512;
        std::vector<uint8_t> image(size_t(width) * width * 4, 0);
        size_t written = 0;
        DefcResult r = defcDecode(file.data(), file.size(), image.data(), image.size(), &written);
        if (r != defcOk) {
            fprintf(stderr, "defcenc: %s is %s\n", argv[2], r == defcBadMagic ? "not a DEFc file" : "damaged");
            return 1;
        }
        int rows = int(written / (width * 4));
        if (!defcPamWrite(argv[3], image.data(), width, rows)) {
            fprintf(stderr, "defcenc: cannot write %s\n", argv[3]);
            return 1;
        }
        return 0;
    }
    if (argc != 3) return usage();
    std::vector<uint8_t> rgba;
    int width = 0, height = 0;
    if (!defcPamRead(argv[1], rgba, width, height)) {
        fprintf(stderr, "defcenc: %s is not an RGB_ALPHA PAM image\n", argv[1]);
        return 1;
    }
    if (!defcFileWrite(argv[2], defcEncode(rgba.data(), rgba.size()))) {
        fprintf(stderr, "defcenc: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
