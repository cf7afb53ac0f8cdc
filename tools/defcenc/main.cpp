// defcenc: turns a PAM image into a .dtt file, or (-d) a 512-texel-wide .dtt back into a
// PAM image to look at (ImageMagick's convert makes a PNG of it), or (-t) times the decode.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "defcenc.h"
#include "video/defc.h"

static int usage() {
    fprintf(stderr, "usage: defcenc IMAGE.pam OUT.dtt\n"
                    "       defcenc -d IN.dtt OUT.pam   (images 512 texels wide)\n"
                    "       defcenc -t IN.dtt [RUNS]    (median decode time of RUNS decodes)\n");
    return 2;
}

// Decodes the file runs times into one 512 by 512 image and prints the median time.
static int timeDecode(const char *path, int runs) {
    std::vector<uint8_t> file;
    if (!defcFileRead(path, file) || runs < 1) return usage();
    std::vector<uint8_t> image(512 * 512 * 4);
    std::vector<double> ms;
    for (int i = 0; i < runs; i++) {
        auto start = std::chrono::steady_clock::now();
        DefcResult r = defcDecode(file.data(), file.size(), image.data(), image.size(), nullptr);
        auto end = std::chrono::steady_clock::now();
        if (r != defcOk) {
            fprintf(stderr, "defcenc: %s does not decode\n", path);
            return 1;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    printf("%s: %zu bytes, median decode %.2f ms over %d runs (min %.2f, max %.2f)\n", path,
           file.size(), ms[ms.size() / 2], runs, ms.front(), ms.back());
    return 0;
}

int main(int argc, char **argv) {
    if ((argc == 3 || argc == 4) && strcmp(argv[1], "-t") == 0)
        return timeDecode(argv[2], argc == 4 ? atoi(argv[3]) : 101);
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
            fprintf(stderr, "defcenc: %s is %s\n", argv[2],
                    r == defcBadMagic ? "not a DEFc file" : "damaged");
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
