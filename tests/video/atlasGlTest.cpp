// Atlas binding and sprite drawing in a real OpenGL context: uploads are seen in the
// texture's own content, filters and mipmap levels through glGet, sprite quads through
// GL's feedback mode, and the drawn pictures through glReadPixels (saved as PPM to look at).
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../deadline.h"
#include "video/video.h"

namespace {

constexpr int windowW = 640, windowH = 360;
std::string startDir;

class GlEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        char cwd[4096];
        startDir = getcwd(cwd, sizeof cwd) ? cwd : ".";
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        ASSERT_NE(SDL_SetVideoMode(windowW, windowH, 32, SDL_OPENGL), nullptr) << SDL_GetError();
        glViewport(0, 0, windowW, windowH);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        videoInit();
        const char *root = getenv("COGMIRE_SOURCE");
        ASSERT_NE(root, nullptr);
        ASSERT_EQ(chdir(root), 0);
    }
    void TearDown() override { SDL_Quit(); }
};
[[maybe_unused]] testing::Environment *const glEnvironment =
    testing::AddGlobalTestEnvironment(new GlEnvironment);

// A fresh texture object and a fresh table, as at start-up.
void freshStart(int quality) {
    videoInit();
    videoSetQuality(quality);
    videoTextureAtlasSet(textureAtlases, 3);
}

std::vector<uint8_t> textureLevel0() {
    std::vector<uint8_t> px(512 * 512 * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    return px;
}

// A texel that no atlas has, written into the texture after an upload: it survives until
// the next upload replaces the image.
const uint8_t marker[4] = {1, 2, 3, 4};
void markTexture() {
    glTexSubImage2D(GL_TEXTURE_2D, 0, 511, 511, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, marker);
}
bool markerPresent() {
    std::vector<uint8_t> px = textureLevel0();
    return memcmp(&px[(511 * 512 + 511) * 4], marker, 4) == 0;
}

// Binds and reports whether it read, decoded and uploaded: atlasPixels is scribbled on
// beforehand and the texture marked, so both come back only through a real upload.
bool bindUploads(int index) {
    markTexture();
    memset(atlasPixels, 0x5A, 64);
    videoTextureAtlasBind(index);
    bool uploaded = !markerPresent();
    bool decoded = atlasPixels[0] != 0x5A || atlasPixels[1] != 0x5A || atlasPixels[63] != 0x5A;
    EXPECT_EQ(uploaded, decoded) << "upload and decode should go together";
    return uploaded;
}

int texParam(GLenum name) {
    GLint v = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &v);
    return v;
}

int levelWidth(int level) {
    GLint w = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
    return w;
}

struct Vertex {
    float x, y, s, t, z; // plane units, texture coordinates and window depth
};

// The vertices GL draws for a sprite, read back through feedback mode. The projection maps
// plane units to 10 window units with y turned over, as the screens' frustum does.
std::vector<Vertex> spriteVertices(float x, float y, float sx, float sy, int sprite) {
    glViewport(0, 0, 1000, 1000);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-50, 50, 50, -50, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(7, 7, 0); // the sprite discards it and leaves it
    std::vector<GLfloat> buffer(1024);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    videoDrawSprite(x, y, -0.5f, sx, sy, sprite);
    int n = glRenderMode(GL_RENDER);
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[12], 7);
    glViewport(0, 0, windowW, windowH);
    std::vector<Vertex> out;
    for (int i = 0; i < n;) {
        if (int(buffer[size_t(i)]) != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token";
            break;
        }
        int count = int(buffer[size_t(i) + 1]);
        i += 2;
        for (int k = 0; k < count; k++, i += 11) {
            const GLfloat *v = &buffer[size_t(i)];
            out.push_back({v[0] / 10 - 50, 50 - v[1] / 10, v[7], v[8], v[2]});
        }
    }
    return out;
}

struct Bounds {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f, s0 = 1e9f, t0 = 1e9f, s1 = -1e9f,
          t1 = -1e9f;
};
Bounds boundsOf(const std::vector<Vertex> &vs) {
    Bounds b;
    for (const Vertex &v : vs) {
        b.x0 = std::min(b.x0, v.x), b.x1 = std::max(b.x1, v.x);
        b.y0 = std::min(b.y0, v.y), b.y1 = std::max(b.y1, v.y);
        b.s0 = std::min(b.s0, v.s), b.s1 = std::max(b.s1, v.s);
        b.t0 = std::min(b.t0, v.t), b.t1 = std::max(b.t1, v.t);
    }
    return b;
}

// What a bind of the splash atlas says when its file is missing or damaged.
const std::string missing =
    "videoTextureAtlasBind(): Couldn't open file \"gfx/textureSplash.dtt\" for reading.\n";
const std::string damaged = "videoTextureAtlasBind(): File \"gfx/textureSplash.dtt\" is damaged.\n";

std::string captureBind(int index) {
    testing::internal::CaptureStderr();
    videoTextureAtlasBind(index);
    return testing::internal::GetCapturedStderr();
}

// A private folder to run binds in, removed at the end.
struct TempDir {
    std::filesystem::path path;
    std::string previous;
    TempDir() {
        char pattern[] = "/tmp/cogmireAtlasXXXXXX";
        path = mkdtemp(pattern);
        char cwd[4096];
        previous = getcwd(cwd, sizeof cwd) ? cwd : ".";
        EXPECT_EQ(chdir(path.c_str()), 0);
    }
    ~TempDir() {
        EXPECT_EQ(chdir(previous.c_str()), 0);
        std::filesystem::remove_all(path);
    }
    void put(const char *name, const std::vector<uint8_t> &bytes) {
        std::filesystem::create_directories(path / "gfx");
        FILE *f = fopen((path / "gfx" / name).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
};

std::vector<uint8_t> sourceFile(const char *name) {
    std::ifstream f(std::string(getenv("COGMIRE_SOURCE")) + "/gfx/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

} // namespace

TEST(AtlasBind, TheSameIndexTwiceUploadsOnce) {
    freshStart(1);
    EXPECT_TRUE(bindUploads(1));
    EXPECT_EQ(boundAtlas, 1);
    EXPECT_FALSE(bindUploads(1));
}

TEST(AtlasBind, OneZeroOneUploadsThreeTimes) {
    freshStart(1);
    EXPECT_TRUE(bindUploads(1));
    EXPECT_TRUE(bindUploads(0));
    EXPECT_EQ(boundAtlas, 0);
    EXPECT_TRUE(bindUploads(1));
    EXPECT_EQ(boundAtlas, 1);
    // What the texture holds is what was decoded.
    std::vector<uint8_t> tex = textureLevel0();
    EXPECT_EQ(memcmp(tex.data(), atlasPixels, tex.size()), 0);
}

TEST(AtlasBind, SettingTheTableAgainUploadsTheBoundIndexAgain) {
    freshStart(1);
    EXPECT_TRUE(bindUploads(2));
    videoTextureAtlasSet(textureAtlases, 3);
    EXPECT_EQ(boundAtlas, -1);
    EXPECT_TRUE(bindUploads(2));
}

TEST(AtlasBind, HighQualityBuildsMipmaps) {
    freshStart(2);
    videoTextureAtlasBind(1);
    EXPECT_EQ(texParam(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(texParam(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(levelWidth(0), 512);
    EXPECT_EQ(levelWidth(1), 256);
    EXPECT_EQ(levelWidth(9), 1);
    GLint env = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    EXPECT_EQ(env, GL_MODULATE);
}

TEST(AtlasBind, LowQualityLoadsLevelZeroOnly) {
    freshStart(0);
    videoTextureAtlasBind(1);
    EXPECT_EQ(texParam(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(texParam(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(levelWidth(0), 512);
    EXPECT_EQ(levelWidth(1), 0);
    GLint env = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    EXPECT_EQ(env, GL_MODULATE);
    videoSetQuality(1);
}

TEST(AtlasBind, AMissingFileIsReportedAndTriedAgain) {
    freshStart(1);
    videoTextureAtlasBind(1);
    TempDir dir;
    markTexture();
    EXPECT_EQ(captureBind(0), missing);
    EXPECT_EQ(boundAtlas, 1);
    EXPECT_TRUE(markerPresent());
    // The message comes again on the next frame's bind, until the file is there.
    EXPECT_EQ(captureBind(0), missing);
    dir.put("textureSplash.dtt", sourceFile("textureSplash.dtt"));
    EXPECT_EQ(captureBind(0), "");
    EXPECT_EQ(boundAtlas, 0);
    EXPECT_FALSE(markerPresent());
}

TEST(AtlasBind, ADamagedFileIsReportedAndChangesNothing) {
    freshStart(1);
    videoTextureAtlasBind(1);
    TempDir dir;
    std::vector<uint8_t> cut = sourceFile("textureSplash.dtt");
    ASSERT_GT(cut.size(), 5000u);
    cut.resize(5000);
    dir.put("textureSplash.dtt", cut);
    std::vector<uint8_t> before(atlasPixels, atlasPixels + sizeof atlasPixels);
    markTexture();
    EXPECT_EQ(captureBind(0), damaged);
    EXPECT_EQ(boundAtlas, 1);
    EXPECT_TRUE(markerPresent());
    // Nothing of the damaged decode reaches the last good image.
    EXPECT_EQ(memcmp(before.data(), atlasPixels, before.size()), 0);
}

TEST(AtlasBind, AStreamThatEndsBeforeTheWholeImageIsDamaged) {
    freshStart(1);
    videoTextureAtlasBind(1);
    std::vector<uint8_t> before(atlasPixels, atlasPixels + sizeof atlasPixels);
    TempDir dir;
    // A whole, valid stream that ends after four bytes of the image.
    dir.put("textureSplash.dtt", {0x44, 0x45, 0x46, 0x63, 0x04, 0x00, 0x00, 0x00, 0x13, 0x45, 0x00,
                                  0x00, 0x00, 0x00, 0x9B, 0x4F, 0xE5, 0x3E, 0x23, 0x09, 0x34});
    markTexture();
    EXPECT_EQ(captureBind(0), damaged);
    EXPECT_EQ(boundAtlas, 1);
    EXPECT_TRUE(markerPresent());
    EXPECT_EQ(memcmp(before.data(), atlasPixels, before.size()), 0);
    // A file without the magic then uploads the last good image, whole.
    dir.put("textureGame.dtt", {'N', 'O', 'P', 'E'});
    EXPECT_EQ(captureBind(2), "");
    EXPECT_EQ(boundAtlas, 2);
    std::vector<uint8_t> tex = textureLevel0();
    EXPECT_EQ(memcmp(tex.data(), before.data(), tex.size()), 0);
}

TEST(AtlasBind, APathThatIsNoRegularFileOrTooLongCannotBeRead) {
    freshStart(1);
    videoTextureAtlasBind(1);
    TempDir dir;
    std::filesystem::path file = dir.path / "gfx" / "textureSplash.dtt";
    std::filesystem::create_directories(file);
    markTexture();
    EXPECT_EQ(captureBind(0), missing);
    std::filesystem::remove(file);
    // A pipe would block the open until something writes to it: a writer lets an open that
    // should not have happened read and fail, and the deadline ends a read that would wait.
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    int writer = open(file.c_str(), O_RDWR | O_NONBLOCK);
    failAfter(20, "reading the pipe atlas waited for data");
    EXPECT_EQ(captureBind(0), missing);
    failAfter(0, ""), close(writer);
    std::filesystem::remove(file);
    // 4 MiB holds any atlas the decoder can produce; one byte more is refused unread.
    dir.put("textureSplash.dtt", {0});
    std::filesystem::resize_file(file, (4 << 20) + 1);
    EXPECT_EQ(captureBind(0), missing);
    EXPECT_EQ(boundAtlas, 1);
    EXPECT_TRUE(markerPresent());
    std::filesystem::resize_file(file, 4 << 20);
    EXPECT_EQ(captureBind(0), "");
    EXPECT_EQ(boundAtlas, 0);
}

TEST(AtlasBind, AFileWithoutTheMagicUploadsTheLastImageSilently) {
    freshStart(1);
    videoTextureAtlasBind(1);
    std::vector<uint8_t> before(atlasPixels, atlasPixels + sizeof atlasPixels);
    TempDir dir;
    dir.put("textureGame.dtt", {'N', 'O', 'P', 'E', 0, 0, 0, 0, 19});
    markTexture();
    EXPECT_EQ(captureBind(2), "");
    EXPECT_EQ(boundAtlas, 2);
    EXPECT_FALSE(markerPresent());
    EXPECT_EQ(memcmp(before.data(), atlasPixels, before.size()), 0);
    std::vector<uint8_t> tex = textureLevel0();
    EXPECT_EQ(memcmp(tex.data(), before.data(), tex.size()), 0);
}

TEST(AtlasBind, AnIndexOutsideTheTableOrAnImpossibleSizeDoesNothing) {
    freshStart(1);
    videoTextureAtlasBind(1);
    testing::internal::CaptureStderr();
    videoTextureAtlasBind(3);
    videoTextureAtlasBind(-7);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(boundAtlas, 1);
    // A size that no image buffer of 512 by 512 texels can take is refused, and said so.
    const TextureAtlas big = {"gfx/textureMenu.dtt", 1024, "", 0, nullptr, 1};
    videoTextureAtlasSet(&big, 1);
    markTexture();
    EXPECT_EQ(captureBind(0),
              "videoTextureAtlasBind(): Bad image size 1024 in \"gfx/textureMenu.dtt\".\n");
    EXPECT_EQ(boundAtlas, -1);
    EXPECT_TRUE(markerPresent());
}

TEST(Sprites, TheLogoAtScaleOneTenth) {
    freshStart(1);
    videoTextureAtlasBind(1);
    std::vector<Vertex> vs = spriteVertices(0, 0, 0.1f, 0.1f, 50);
    ASSERT_EQ(vs.size(), 6u) << "two triangles, front facing under the screens' projection";
    Bounds b = boundsOf(vs);
    EXPECT_NEAR(b.x1 - b.x0, 12.2f, 1e-3f);
    EXPECT_NEAR(b.y1 - b.y0, 10.4f, 1e-3f);
    EXPECT_NEAR(b.x0, -6.1f, 1e-3f);
    EXPECT_NEAR(b.y0, -5.2f, 1e-3f);
    EXPECT_NEAR(b.s0, 304 / 512.0f, 1e-6f);
    EXPECT_NEAR(b.t0, 147 / 512.0f, 1e-6f);
    EXPECT_NEAR(b.s1, 426 / 512.0f, 1e-6f);
    EXPECT_NEAR(b.t1, 251 / 512.0f, 1e-6f);
    // The sprite's first row lies on the quad's -y side, its first column on -x.
    for (const Vertex &v : vs) {
        EXPECT_NEAR(v.z, 0.525f, 1e-4f); // z -0.5 between -10 and 10
        EXPECT_NEAR(v.t, v.y < 0 ? 147 / 512.0f : 251 / 512.0f, 1e-6f);
        EXPECT_NEAR(v.s, v.x < 0 ? 304 / 512.0f : 426 / 512.0f, 1e-6f);
    }
}

TEST(Sprites, SizeWritesOnlyThroughGivenPointers) {
    freshStart(1);
    videoTextureAtlasBind(1);
    int w = 0;
    videoSpriteSize(49, &w, nullptr);
    EXPECT_EQ(w, 288);
    int h = 0;
    videoSpriteSize(49, nullptr, &h);
    EXPECT_EQ(h, 128);
    videoTextureAtlasBind(0);
    videoSpriteSize(1, &w, &h); // the second splash picture
    EXPECT_EQ(w, 476);
    EXPECT_EQ(h, 268);
}

TEST(Sprites, SpriteZeroDependsOnTheBoundAtlas) {
    freshStart(1);
    videoTextureAtlasBind(0);
    Bounds b = boundsOf(spriteVertices(0, 0, 0.1f, 0.1f, 0));
    EXPECT_NEAR(b.x1 - b.x0, 47.6f, 1e-3f);
    EXPECT_NEAR(b.y1 - b.y0, 19.2f, 1e-3f);
    EXPECT_NEAR(b.s0, 2 / 512.0f, 1e-6f);
    videoTextureAtlasBind(1);
    b = boundsOf(spriteVertices(3, -2, 0.1f, 0.2f, 0));
    EXPECT_NEAR(b.x0, 1.5f, 1e-3f);
    EXPECT_NEAR(b.y0, -6.2f, 1e-3f);
    EXPECT_NEAR(b.x1 - b.x0, 3.0f, 1e-3f);
    EXPECT_NEAR(b.y1 - b.y0, 8.4f, 1e-3f);
    EXPECT_NEAR(b.s0, 1 / 512.0f, 1e-6f);
}

TEST(Sprites, NothingIsDrawnWithoutAnAtlasOrOutsideTheTable) {
    freshStart(1);
    EXPECT_TRUE(spriteVertices(0, 0, 1, 1, 0).empty());
    int w = -1, h = -1;
    videoSpriteSize(0, &w, &h);
    EXPECT_EQ(w, -1);
    EXPECT_EQ(h, -1);
    videoTextureAtlasBind(0);
    EXPECT_TRUE(spriteVertices(0, 0, 1, 1, 2).empty());
    EXPECT_TRUE(spriteVertices(0, 0, 1, 1, -1).empty());
    videoTextureAtlasBind(1);
    EXPECT_TRUE(spriteVertices(0, 0, 1, 1, 52).empty());
    EXPECT_FALSE(spriteVertices(0, 0, 1, 1, 51).empty());
}

namespace {

// Draws like the screens: the menu frustum, colours, sprites at their scales.
void screenBegin() {
    glViewport(0, 0, windowW, windowH);
    videoClear(0, 0, 0, 255);
    videoSetFrustum(-16, 16, -9, 9, 0.1f, 3000);
    glDisable(GL_DEPTH_TEST);
}

std::vector<uint8_t> readScreen(const char *ppmName) {
    std::vector<uint8_t> px(size_t(windowW) * windowH * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, windowW, windowH, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    // Rows come bottom first; the file wants the top row first.
    std::string path = startDir + "/" + ppmName;
    if (FILE *f = fopen(path.c_str(), "wb")) {
        fprintf(f, "P6\n%d %d\n255\n", windowW, windowH);
        for (int y = windowH - 1; y >= 0; y--)
            fwrite(&px[size_t(y) * windowW * 3], 1, size_t(windowW) * 3, f);
        fclose(f);
    }
    return px;
}

// The colour at eye-space point (x, y) at depth z: the menu frustum's view there spans
// x -160|z| to 160|z| and y -90|z| to 90|z|, y downward.
const uint8_t *pixelAt(const std::vector<uint8_t> &px, float x, float y, float z) {
    float d = std::fabs(z);
    int wx = int((x / (320 * d) + 0.5f) * windowW), wy = int((y / (180 * d) + 0.5f) * windowH);
    return &px[(size_t(windowH - 1 - wy) * windowW + size_t(wx)) * 3];
}

void drawText(const char *text, float x, float y) {
    for (; *text; text++, x += 4.5f) {
        char c = *text;
        const char *marks = ":,.-@";
        const char *mark = c ? strchr(marks, c) : nullptr;
        int glyph = c >= 'A' && c <= 'Z'   ? c - 'A'
                    : c >= '0' && c <= '9' ? c - '0' + 26
                    : mark                 ? int(mark - marks) + 36
                                           : -1;
        if (glyph >= 0) videoDrawSprite(x, y, -0.5f, 0.2f, 0.2f, glyph);
    }
}

} // namespace

TEST(Screens, TheMenuPicturesShowWhereTheScreensPutThem) {
    freshStart(1);
    screenBegin();
    videoTextureAtlasBind(1);
    videoSetColor(255, 207, 60, 254);
    videoDrawSprite(-58, -27, -0.5f, 0.3f, 0.3f, 50);
    drawText("QUICK TEST", -30, -36);
    drawText("0123456789.", -30, -28);
    drawText("SERVER 10.0.0.1", -30, -20);
    drawText("A-B:C,D@E.", -30, -12);
    videoSetColor(255, 255, 255, 254);
    // The keyboard as the multiplayer screen draws it, here about (19, 13), with the
    // cursor on the done key.
    float kx = 19, ky = 13;
    videoDrawSprite(kx, ky, -0.3f, 0.2f, 0.2f, 49);
    videoDrawSprite(kx - 23.5f + 5 * 9, ky - 7.6f + 5 * 3, -0.29f, 0.2f, 0.2f, 51);
    videoSetColor(255, 255, 255, 255);
    videoDrawSprite(60, -30, -0.53f, 0.35f, 0.35f, 41);
    std::vector<uint8_t> px = readScreen("atlasMenuScreen.ppm");
    // The logo's band is light and tinted toward the item colour.
    const uint8_t *logo = pixelAt(px, -58, -27 + 18 * 0.3f, -0.5f);
    EXPECT_GT(logo[0], 150);
    EXPECT_GT(logo[0], logo[2] + 60);
    // The done key is green near its corner; the key "1" is light grey there.
    const uint8_t *done = pixelAt(px, kx - 23.5f + 45 + 1.6f, ky - 7.6f + 15 + 1.6f, -0.3f);
    EXPECT_GT(done[1], done[0] + 40) << int(done[0]) << "," << int(done[1]) << "," << int(done[2]);
    const uint8_t *keyOne = pixelAt(px, kx - 23.5f - 1.6f, ky - 7.6f - 1.6f, -0.3f);
    EXPECT_GT(keyOne[0], 150);
}

TEST(Screens, TheSplashCardsFillTheView) {
    freshStart(1);
    screenBegin();
    videoTextureAtlasBind(0);
    videoSetColor(255, 255, 255, 255);
    videoDrawSprite(0, 0, -0.5f, 0.33f, 0.33f, 0);
    std::vector<uint8_t> px = readScreen("atlasSplashTitle.ppm");
    // Drawn opaque across nearly the whole width: no black left at the card's sides.
    const uint8_t *left = pixelAt(px, -77, 0, -0.5f), *right = pixelAt(px, 77, 0, -0.5f);
    EXPECT_GT(left[0] + left[1] + left[2], 0);
    EXPECT_GT(right[0] + right[1] + right[2], 0);
    screenBegin();
    videoDrawSprite(0, 0, -0.5f, 0.33f, 0.33f, 1);
    px = readScreen("atlasSplashScene.ppm");
    // The scene is texels (2, 198) to (478, 466), upright: a point of the card shows the texel
    // at the same place in that rectangle (the sun, the sky above, the water below).
    for (auto [x, y] : {std::pair{22.5f, 2.5f}, {-70.0f, -40.0f}, {-60.0f, 30.0f}}) {
        const uint8_t
            *p = pixelAt(px, x, y, -0.5f),
            *t = &atlasPixels[(size_t(198 + y / 0.33f + 134) * 512 + size_t(2 + x / 0.33f + 238)) *
                              4];
        for (int c = 0; c < 3; c++)
            EXPECT_NEAR(p[c], t[c], 6) << x << "," << y << " " << c;
    }
}
