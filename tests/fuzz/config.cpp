// Fuzz entry for the configuration loader: the input becomes "configuration.dat" in a
// private working directory, and whatever it holds the names must stay within 15
// characters with zeros to the end of their buffers.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/config.h"
#include "core/file.h"

static void fuzzCheckName(const char *name, int length) {
    if (length < 0 || length > 15) abort();
    for (int i = length; i < 16; i++)
        if (name[i] != 0) abort();
}

static std::string fuzzDir;

static void fuzzCleanUp() {
    std::error_code ignored;
    std::filesystem::remove_all(fuzzDir, ignored);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (fuzzDir.empty()) {
        // In memory where possible: every input is written and saved as a file.
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        fuzzDir = (base / "cogmireFuzzXXXXXX").string();
        if (!mkdtemp(fuzzDir.data())) abort();
        atexit(fuzzCleanUp);
    }
    // Only for this input: the fuzzer reads its corpus by paths relative to where it started.
    int home = open(".", O_RDONLY | O_DIRECTORY);
    if (home < 0 || chdir(fuzzDir.c_str()) != 0) abort();
    if (fileWrite("configuration.dat", std::span<const uint8_t>(data, size)) != long(size)) abort();
    // As at start-up: empty names and an untouched block, so that every input replays alone.
    memset(configBlock, 0, sizeof configBlock);
    memset(myPlayerName, 0, sizeof myPlayerName);
    memset(serverName, 0, sizeof serverName);
    myPlayerNameLength = 0;
    serverNameLength = 0;
    configLoad();
    fuzzCheckName(myPlayerName, myPlayerNameLength);
    fuzzCheckName(serverName, serverNameLength);
    // A loaded file's names are its bytes.
    if (myPlayerNameLength > 0 && memcmp(myPlayerName, data + 5, size_t(myPlayerNameLength)) != 0)
        abort();
    // Saving from whatever the block now holds writes 256 bytes.
    configSave();
    std::error_code error;
    if (std::filesystem::file_size("configuration.dat", error) != 256u) abort();
    if (fchdir(home) != 0) abort();
    close(home);
    return 0;
}
