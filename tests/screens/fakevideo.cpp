// Every symbol of the rendering layer's two objects (video/video.cpp, video/atlas.cpp), so
// the linker takes these and never the real ones; each call is appended to fakeCalls.
#include "fakevideo.h"

#include <initializer_list>
#include <utility>

#include "video/video.h"
#include "../meshes.h"

std::vector<FakeCall> fakeCalls;
static int fakeColour[4] = {255, 255, 255, 255};

void fakeReset() {
    fakeCalls.clear();
    for (int &c : fakeColour)
        c = -1;
}

std::vector<FakeCall> fakeCallsNamed(const std::string &name) {
    std::vector<FakeCall> out;
    for (const FakeCall &c : fakeCalls)
        if (c.name == name) out.push_back(c);
    return out;
}

static void record(const char *name, std::initializer_list<float> args) {
    FakeCall c{name, args, {}, {}};
    for (int i = 0; i < 4; i++)
        c.colour[i] = fakeColour[i];
    fakeCalls.push_back(c);
}

int videoQuality = 1;
void videoInit() {}
void videoSwapBuffers() {}
void videoClear(int r, int g, int b, int a) {
    record("Clear", {float(r), float(g), float(b), float(a)});
}
void videoSetFrustum(float l, float r, float t, float b, float n, float f) {
    record("SetFrustum", {l, r, t, b, n, f});
}
void videoSetQuality(int on) {
    videoQuality = on;
}
void videoSetColor(int r, int g, int b, int a) {
    fakeColour[0] = r, fakeColour[1] = g, fakeColour[2] = b, fakeColour[3] = a;
}
void videoLoadIdentity() {
    record("LoadIdentity", {});
}
void videoPushMatrix() {
    record("PushMatrix", {});
}
void videoPopMatrix() {
    record("PopMatrix", {});
}
void videoTranslate(float x, float y, float z) {
    record("Translate", {x, y, z});
}
void videoScale(float x, float y, float z) {
    record("Scale", {x, y, z});
}
void videoRotate(float ax, float ay, float az) {
    record("Rotate", {ax, ay, az});
}
// Which compiled-in model a mesh draw was given: the identity of its array, not its data
// (meshTileMiddle and meshTileOuterCorner hold the same triangles); empty for any other.
static void recordMesh(const char *name, const float *data, int triangles) {
#define FAKE_MESH(m) std::pair<const float *, const char *>(m.data(), #m),
    const std::pair<const float *, const char *> known[] = {TEST_MESHES(FAKE_MESH, FAKE_MESH)};
#undef FAKE_MESH
    record(name, {float(triangles)});
    for (auto [array, model] : known)
        if (array == data) fakeCalls.back().mesh = model;
}
void videoDrawMesh(const float *data, int triangles) {
    recordMesh("DrawMesh", data, triangles);
}
void videoDrawMeshFlat(const float *data, int triangles) {
    recordMesh("DrawMeshFlat", data, triangles);
}
void videoDrawBox(float x, float y, float z, float w, float h) {
    record("DrawBox", {x, y, z, w, h});
}
void videoDrawBar(float w, float h) {
    record("DrawBar", {w, h});
}
void videoDrawTriangle(float x, float y, float z, float x1, float y1, float x2, float y2, float x3,
                       float y3, float w, float h) {
    record("DrawTriangle", {x, y, z, x1, y1, x2, y2, x3, y3, w, h});
}
void videoPrepare(int) {}

const SpriteRect spritesSplash[2] = {};
const SpriteRect spritesMenu[52] = {};
const SpriteRect spritesGame[1] = {};
const TextureAtlas textureAtlases[3] = {};
int boundAtlas = -1;
uint8_t atlasPixels[atlasMaxSize * atlasMaxSize * 4];
void videoTextureAtlasSet(const TextureAtlas *, int) {
    boundAtlas = -1;
}
void videoTextureAtlasBind(int index) {
    record("TextureAtlasBind", {float(index)});
    boundAtlas = index;
}
void videoDrawSprite(float x, float y, float z, float sx, float sy, int sprite) {
    record("DrawSprite", {x, y, z, sx, sy, float(sprite)});
}
void videoSpriteSize(int, int *, int *) {}
