// "configuration.dat" and the whole-file read and write under it: byte layout, refused
// files, the block's kept tail, and files that are too long or claim too long a name.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../deadline.h"
#include "core/config.h"
#include "core/file.h"
#include "platform/file.h"
#include "workdir.h"

namespace {

using Bytes = std::vector<uint8_t>;

class Config : public testing::Test {
  protected:
    // Start-up: empty names, untouched block.
    void SetUp() override {
        memset(configBlock, 0, sizeof configBlock);
        setNames("", "");
    }
    TempWorkDir dir;

    static void setNames(const std::string &name, const std::string &host) {
        memset(myPlayerName, 0, sizeof myPlayerName);
        memset(serverName, 0, sizeof serverName);
        memcpy(myPlayerName, name.data(), name.size());
        memcpy(serverName, host.data(), host.size());
        myPlayerNameLength = int(name.size());
        serverNameLength = int(host.size());
    }
    static void writeFile(const Bytes &bytes) {
        std::ofstream("configuration.dat", std::ios::binary)
            .write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    }
    static Bytes readFile() {
        std::ifstream in("configuration.dat", std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // A file in the saved layout, padded with fill to size.
    static Bytes makeFile(const std::string &name, const std::string &host, size_t size = 256,
                          uint8_t fill = 0) {
        Bytes b = {'S', 'A', 'V', 0, uint8_t(name.size())};
        b.insert(b.end(), name.begin(), name.end());
        b.push_back(uint8_t(host.size()));
        b.insert(b.end(), host.begin(), host.end());
        b.resize(size, fill);
        return b;
    }
    static void expectNames(const std::string &name, const std::string &host) {
        EXPECT_EQ(myPlayerNameLength, int(name.size()));
        EXPECT_EQ(serverNameLength, int(host.size()));
        // The whole buffer: the characters, then zeros to the end.
        std::string n(16, '\0'), h(16, '\0');
        n.replace(0, name.size(), name);
        h.replace(0, host.size(), host);
        EXPECT_EQ(std::string(myPlayerName, 16), n);
        EXPECT_EQ(std::string(serverName, 16), h);
    }
};

TEST_F(Config, SaveFromAnUntouchedBlockHasTheFixedLayout) {
    configLoad(); // no file: nothing changes
    expectNames("", "");
    setNames("AB", "1.2.3.4");
    configSave();
    Bytes expected = {'S', 'A', 'V', 0, 2, 'A', 'B', 7, '1', '.', '2', '.', '3', '.', '4'};
    expected.resize(256, 0); // 241 zero bytes of tail
    EXPECT_EQ(readFile(), expected);
    configSave();
    EXPECT_EQ(readFile(), expected); // the same names save the same bytes

    setNames("", "");
    configLoad();
    expectNames("AB", "1.2.3.4");
}

TEST_F(Config, EmptyNamesAndLongestNamesLoad) {
    writeFile(makeFile("", ""));
    configLoad();
    expectNames("", "");
    writeFile(makeFile("ABCDEFGHIJKLMNO", "255.255.255.255"));
    configLoad();
    expectNames("ABCDEFGHIJKLMNO", "255.255.255.255");
}

TEST_F(Config, ShortOrForeignFilesAreIgnoredButStayInTheBlock) {
    writeFile(makeFile("NAME", "HOST", 255));
    configLoad();
    expectNames("", "");
    EXPECT_EQ(configBlock[5], 'N'); // what was read stays
    Bytes wrongMagic = makeFile("NAME", "HOST");
    wrongMagic[3] = 1;
    writeFile(wrongMagic);
    configLoad();
    expectNames("", "");
    writeFile({});
    configLoad();
    expectNames("", "");
    configSave();
    EXPECT_EQ(readFile()[3], 0); // over the foreign header's 1
}

TEST_F(Config, ShortenedNameKeepsTheLoadedTail) {
    Bytes loaded = makeFile("ABCDEFG", "HOST", 256, 0xee);
    writeFile(loaded);
    configLoad();
    expectNames("ABCDEFG", "HOST");
    setNames("ABC", "HOST");
    configSave();
    Bytes saved = readFile();
    ASSERT_EQ(saved.size(), 256u);
    Bytes head = {'S', 'A', 'V', 0, 3, 'A', 'B', 'C', 4, 'H', 'O', 'S', 'T'};
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 13), head);
    EXPECT_EQ(Bytes(saved.begin() + 13, saved.end()), Bytes(loaded.begin() + 13, loaded.end()));
    setNames("", "");
    configLoad();
    expectNames("ABC", "HOST");
}

TEST_F(Config, LoadedNamesEndInZerosWhateverTheBuffersHeld) {
    writeFile(makeFile("AB", "C"));
    memset(myPlayerName, 'X', sizeof myPlayerName);
    memset(serverName, 'X', sizeof serverName);
    configLoad();
    expectNames("AB", "C");
}

TEST_F(Config, OversizedLengthsRefuseTheWholeFile) {
    // A first length of 16, one of 255 (whose second length would lie past the block), and
    // a good first name with a second length of 16: none changes either name.
    Bytes tooLongName = makeFile(std::string(16, 'N'), "HOST");
    Bytes farName = makeFile("", "", 256, 'Z');
    farName[4] = 255;
    Bytes tooLongHost = makeFile("NAME", std::string(16, 'H'));
    for (const Bytes &file : {tooLongName, farName, tooLongHost}) {
        setNames("KEEP", "ME");
        writeFile(file);
        configLoad();
        expectNames("KEEP", "ME");
    }
}

TEST_F(Config, LongerFileIsReadInItsFirst256Bytes) {
    Bytes big = makeFile("LONG", "FILE", 100000, 0xab);
    writeFile(big);
    configLoad();
    expectNames("LONG", "FILE");
    EXPECT_EQ(configBlock[255], 0xab);
    // A save still writes 256 bytes only.
    configSave();
    EXPECT_EQ(readFile(), Bytes(big.begin(), big.begin() + 256));
}

TEST_F(Config, UnopenableFileIsNeitherReadNorWritten) {
    std::filesystem::create_directory("configuration.dat");
    setNames("AB", "CD");
    configLoad();
    expectNames("AB", "CD");
    configSave(); // fails quietly
    std::filesystem::remove("configuration.dat");
    configSave(); // the next one tries again
    EXPECT_EQ(readFile().size(), 256u);
}

TEST(File, ReadAndWriteReportSizesAndFailures) {
    TempWorkDir dir;
    uint8_t out[5] = {1, 2, 3, 4, 5};
    EXPECT_EQ(fileWrite("f.bin", out), 5);
    uint8_t in[8] = {};
    EXPECT_EQ(fileRead("f.bin", in), 5);
    EXPECT_EQ(platformRegularFileSize("f.bin"), 5); // asked before any open
    EXPECT_EQ(memcmp(in, out, 5), 0);
    uint8_t small[3] = {};
    EXPECT_EQ(fileRead("f.bin", small), 5); // the size is the file's; 3 bytes are read
    EXPECT_EQ(small[2], 3);
    EXPECT_EQ(fileRead("missing.bin", in), -1);
    EXPECT_EQ(fileWrite("no/such/dir/f.bin", out), -1);
    std::filesystem::create_directory("d");
    EXPECT_EQ(fileRead("d", in), -1);
    EXPECT_EQ(platformRegularFileSize("d"), -1); // a directory is no regular file
}

// In a child: no file may grow past 128 bytes (room for the message that the test reads),
// so a save's writes fail part way, as on a full disk; exits 1 when fileWrite says so.
[[noreturn]] void saveWithFailingWrites() {
    rlimit small = {128, 128};
    setrlimit(RLIMIT_FSIZE, &small);
    signal(SIGXFSZ, SIG_IGN);
    configSave();
    // A write larger than the stream's buffer fails in the write itself, not in the flush.
    static uint8_t large[1 << 16];
    exit(fileWrite("configuration.dat", configBlock) == -1 && fileWrite("large", large) == -1);
}

TEST_F(Config, FailedSaveKeepsTheOldFileAndSaysWhy) {
    setNames("OLD", "HOST");
    configSave();
    // A save replaces the file but keeps its permissions.
    chmod("configuration.dat", 0604);
    configSave();
    EXPECT_EQ(std::filesystem::status("configuration.dat").permissions(),
              std::filesystem::perms(0604));
    Bytes old = readFile();
    setNames("NEW", "OTHER");
    EXPECT_EXIT(saveWithFailingWrites(), testing::ExitedWithCode(1),
        "configSave\\(\\): Couldn't write file \"configuration.dat\": File too large\\.\n");
    EXPECT_EQ(readFile(), old);
    // Nothing is left beside it.
    auto entries = std::filesystem::directory_iterator(".");
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1);
}

TEST_F(Config, NamedPipeIsNotAFileAndNeverBlocks) {
    ASSERT_EQ(mkfifo("configuration.dat", 0600), 0);
    failAfter(5, "reading the pipe waited for a writer");
    uint8_t in[4];
    EXPECT_EQ(fileRead("configuration.dat", in), -1);
    setNames("AB", "CD");
    configLoad();
    expectNames("AB", "CD");
    failAfter(0, "");
}

} // namespace
