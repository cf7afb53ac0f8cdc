// Replays every file of the folders (or the files) named on the command line through a
// libFuzzer entry, so that the seeds and every crash the fuzzers found stay tested in the
// ordinary and sanitizer builds.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

static void replayFile(const std::filesystem::path &path, int &count) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A private copy of exactly the file's size, so that a read past it is caught.
    std::vector<uint8_t> data(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(data.empty() ? nullptr : data.data(), data.size());
    count++;
}

int main(int argc, char **argv) {
    int count = 0;
    for (int i = 1; i < argc; i++) {
        std::filesystem::path p(argv[i]);
        if (std::filesystem::is_directory(p)) {
            for (const auto &e : std::filesystem::directory_iterator(p))
                if (e.is_regular_file()) replayFile(e.path(), count);
        } else if (std::filesystem::exists(p)) {
            replayFile(p, count);
        }
    }
    printf("replayed %d inputs\n", count);
    return 0;
}
