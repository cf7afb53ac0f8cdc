// modelview SOURCE OUTPREFIX: draws the compiled-in models with the game atlas through the
// client's own drawing calls, each object close up and the built-in level from the play
// camera at several zooms and tilts, and writes every picture as OUTPREFIX-NAME.ppm. Run it
// under a display (tests/with-x.sh); SOURCE is the folder that holds gfx/.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "video/video.h"
#include "world/mesh.h"

namespace {

constexpr int windowW = 960, windowH = 544;

struct Model {
    const float *vertices;
    int triangles;
};

#define MODEL(name)                                                                                \
    Model {                                                                                        \
        name.data(), int(name##Triangles)                                                          \
    }

// How each tile code is drawn, and the level's codes.
struct TileKind {
    Model model;
    float rotation;
};

std::vector<int> levelTiles() {
    // Row by row: border, the 5 by 5 block at rows 1-5, the 3 by 3 block at rows 17-19,
    // the decorations, and the two bases.
    std::vector<int> t(32 * 32, 0);
    for (int i = 0; i < 32; i++) {
        t[0 * 32 + i] = 9;
        t[31 * 32 + i] = 3;
        t[i * 32 + 0] = 7;
        t[i * 32 + 31] = 5;
    }
    t[0] = 14;
    t[31] = 15;
    t[31 * 32] = 16;
    t[31 * 32 + 31] = 17;
    auto block = [&](int r0, int c0, int size) {
        for (int r = r0; r < r0 + size; r++)
            for (int c = c0; c < c0 + size; c++) {
                bool top = r == r0, bottom = r == r0 + size - 1, left = c == c0,
                     right = c == c0 + size - 1;
                int code = 11;
                if (top)
                    code = left ? 2 : (right ? 4 : 3);
                else if (bottom)
                    code = left ? 8 : (right ? 10 : 9);
                else if (left)
                    code = 5;
                else if (right)
                    code = 7;
                t[r * 32 + c] = code;
            }
    };
    block(1, 1, 5);
    block(17, 15, 3);
    int twelve[][2] = {{2, 9}, {3, 9}, {3, 10}, {5, 11}};
    int thirteen[][2] = {{2, 10},  {3, 11},  {4, 10},  {4, 11},  {5, 10},  {13, 13}, {13, 14},
                         {14, 12}, {14, 13}, {14, 15}, {15, 13}, {15, 14}, {15, 15}};
    for (auto &rc : twelve)
        t[rc[0] * 32 + rc[1]] = 12;
    for (auto &rc : thirteen)
        t[rc[0] * 32 + rc[1]] = 13;
    t[14 * 32 + 14] = 18;
    t[16 * 32 + 22] = 18;
    return t;
}

TileKind tileKind(int code) {
    switch (code) {
    case 0:
        return {MODEL(meshTileFloor), 0};
    case 2:
        return {MODEL(meshTileCorner), 0};
    case 3:
        return {MODEL(meshTileEdge), 0};
    case 4:
        return {MODEL(meshTileCorner), 90};
    case 5:
        return {MODEL(meshTileEdge), 270};
    case 6:
        return {MODEL(meshTileMiddle), 0};
    case 7:
        return {MODEL(meshTileEdge), 90};
    case 8:
        return {MODEL(meshTileCorner), 270};
    case 9:
        return {MODEL(meshTileEdge), 180};
    case 10:
        return {MODEL(meshTileCorner), 180};
    case 11:
        return {MODEL(meshTileFill), 0};
    case 12:
        return {MODEL(meshTile12), 0};
    case 13:
        return {MODEL(meshTile13), 0};
    case 14:
        return {MODEL(meshTileOuterCorner), 180};
    case 15:
        return {MODEL(meshTileOuterCorner), 270};
    case 16:
        return {MODEL(meshTileOuterCorner), 90};
    case 17:
        return {MODEL(meshTileOuterCorner), 0};
    case 18:
        return {MODEL(meshTileBase), 0};
    default:
        return {{nullptr, 0}, 0};
    }
}

void draw(const Model &m) {
    videoDrawMesh(m.vertices, m.triangles);
}

struct Camera {
    float x, y, z, tilt;
};

// The level drawn as the play state draws it: tiles, props, units with enemy rings,
// emitters, and a few smoke puffs (small props).
void drawLevel(const Camera &cam, bool puffs) {
    static const std::vector<int> tiles = levelTiles();
    videoClear(0, 0, 0, 255);
    videoSetFrustum(-16, 16, -9, 9, 20, 3000);
    videoSetColor(255, 255, 255, 255);
    videoLoadIdentity();
    if (cam.tilt != 0) videoRotate(cam.tilt, 0, 0);
    videoTranslate(-cam.x, -cam.y, -cam.z);
    for (int i = 0; i < 32; i++)
        for (int j = 0; j < 32; j++) {
            TileKind k = tileKind(tiles[j * 32 + i]);
            if (!k.model.vertices) continue;
            videoPushMatrix();
            videoTranslate(i * 60.0f, j * 60.0f, -1550);
            videoRotate(0, 0, k.rotation);
            draw(k.model);
            videoPopMatrix();
        }
    const float props[][3] = {
        {1100, 1100, 100}, {1200, 1100, 140}, {1120, 1140, 0}, {1150, 1110, 20}};
    for (auto &p : props) {
        videoPushMatrix();
        videoTranslate(p[0], p[1], -1550);
        videoRotate(0, 0, p[2]);
        draw(MODEL(meshProp));
        videoPopMatrix();
    }
    // The level's five own units, and three enemy units near base 0 to show the rings.
    struct U {
        int type;
        float x, y, z, heading;
        int owner;
    };
    const U units[] = {
        {2, 1300, 1120, 0, 240, 0}, {2, 1100, 1000, 0, 20, 0},  {1, 1300, 1020, 0, 240, 0},
        {1, 1400, 1420, 0, 240, 0}, {1, 1200, 1200, 0, 240, 0}, {1, 880, 820, 0, 45, 1},
        {2, 800, 880, 0, 300, 1},   {1, 840, 840, -20, 90, 0},  {2, 1320, 1010, 0, 180, 1}};
    const int colours[4][3] = {{255, 0, 0}, {124, 187, 110}, {138, 110, 187}, {187, 151, 110}};
    for (const U &u : units) {
        videoSetColor(255, 255, 255, 255);
        videoPushMatrix();
        videoTranslate(u.x, u.y, u.z - 1549);
        videoRotate(0, 0, -u.heading - 180);
        draw(u.type == 1 ? MODEL(meshUnit1) : MODEL(meshUnit2));
        videoPopMatrix();
        if (u.owner != 0) {
            videoSetColor(colours[u.owner][0], colours[u.owner][1], colours[u.owner][2], 255);
            videoPushMatrix();
            videoTranslate(u.x, u.y, u.z - 1556);
            videoDrawMeshFlat(meshRing.data(), int(meshRingTriangles));
            videoPopMatrix();
        }
    }
    videoSetColor(255, 255, 255, 255);
    const float emitters[][5] = {
        {1000, 1000, 0, 1.0f, 20}, {1100, 800, -2, 1.2f, 120}, {1120, 790, -4, 2.0f, 220}};
    for (auto &e : emitters) {
        videoPushMatrix();
        videoTranslate(e[0], e[1], e[2] - 1550);
        videoRotate(0, 0, e[4]);
        videoScale(e[3], e[3], e[3]);
        draw(MODEL(meshEmitter));
        videoPopMatrix();
        if (!puffs) continue;
        for (int k = 0; k < 8; k++) {
            float life = 4000 - 500 * k;
            float s = 0.1f - (4000 - life) / 40000;
            videoPushMatrix();
            videoTranslate(e[0] + (k % 3) - 1, e[1] + (k % 2), e[2] - 1550 + (4000 - life) * 0.02f);
            videoScale(s, s, s);
            draw(MODEL(meshProp));
            videoPopMatrix();
        }
    }
}

// One object close up in a viewport, turned and tilted.
void drawObject(const Model &m, int vx, int vy, int vw, int vh, float distance, float height,
                float tilt, float spin, float zoom = 1) {
    glViewport(vx, windowH - vy - vh, vw, vh);
    float aspect = float(vw) / float(vh), half = 9 / zoom;
    videoSetFrustum(-half * aspect, half * aspect, -half, half, 20, 3000);
    videoLoadIdentity();
    videoTranslate(0, 0, -distance);
    if (tilt != 0) videoRotate(tilt, 0, 0);
    if (spin != 0) videoRotate(0, 0, spin);
    videoTranslate(0, 0, -height * 0.5f);
    videoSetColor(255, 255, 255, 255);
    draw(m);
}

bool writePpm(const std::string &path) {
    std::vector<unsigned char> px(size_t(windowW) * windowH * 3);
    glReadPixels(0, 0, windowW, windowH, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    FILE *f = fopen(path.c_str(), "wb");
    if (!f) return false;
    fprintf(f, "P6\n%d %d\n255\n", windowW, windowH);
    for (int y = windowH - 1; y >= 0; y--)
        fwrite(&px[size_t(y) * windowW * 3], 1, size_t(windowW) * 3, f);
    return fclose(f) == 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: modelview SOURCE OUTPREFIX\n");
        return 2;
    }
    std::string out = argv[2];
    if (out[0] != '/') {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd)) out = std::string(cwd) + "/" + out;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        fprintf(stderr, "modelview: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(windowW, windowH, 32, SDL_OPENGL) || chdir(argv[1]) != 0) {
        fprintf(stderr, "modelview: no window or no folder %s\n", argv[1]);
        return 1;
    }
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glShadeModel(GL_SMOOTH);
    videoInit();
    videoTextureAtlasSet(textureAtlases, 3);
    videoTextureAtlasBind(atlasGame);
    bool ok = true;

    // The objects: a three-quarter view above, straight down below.
    glClearColor(0.35f, 0.38f, 0.4f, 1);
    glViewport(0, 0, windowW, windowH);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const Model objects[] = {MODEL(meshUnit1), MODEL(meshUnit2), MODEL(meshProp),
                             MODEL(meshEmitter)};
    const float heights[] = {11.6f, 9, 17.5f, 15};
    const float distances[] = {24, 24, 36, 30};
    for (int k = 0; k < 4; k++) {
        drawObject(objects[k], k * 240, 0, 240, 272, distances[k], heights[k], 55, 210);
        drawObject(objects[k], k * 240, 272, 240, 272, distances[k], heights[k], 0, 180);
    }
    ok = ok && writePpm(out + "-objects.ppm");

    // Both unit types from four sides.
    glViewport(0, 0, windowW, windowH);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int k = 0; k < 4; k++) {
        drawObject(objects[0], k * 240, 0, 240, 272, 40, heights[0], 50, 30 + 90.0f * k, 2.2f);
        drawObject(objects[1], k * 240, 272, 240, 272, 40, heights[1], 50, 30 + 90.0f * k, 2.2f);
    }
    ok = ok && writePpm(out + "-units.ppm");

    glViewport(0, 0, windowW, windowH);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const Model pieces[] = {MODEL(meshTileEdge), MODEL(meshTileCorner), MODEL(meshTileOuterCorner),
                            MODEL(meshTileBase)};
    for (int k = 0; k < 4; k++) {
        drawObject(pieces[k], k * 240, 0, 240, 272, 170, 20, 50, 200);
        drawObject(pieces[k], k * 240, 272, 240, 272, 170, 20, 0, 0);
    }
    ok = ok && writePpm(out + "-pieces.ppm");

    glViewport(0, 0, windowW, windowH);
    struct View {
        const char *name;
        Camera cam;
        bool puffs;
    };
    const View views[] = {
        {"level-far", {960, 960, 0, 0}, false},
        {"level-corner", {400, 400, -800, 0}, false},
        {"level-base", {1000, 960, -1100, 0}, true},
        {"level-units", {1240, 1075, -1440, 0}, true},
        {"level-tilt40", {960, 1300, -700, 40}, false},
        {"level-tilt70", {900, 1400, -1200, 70}, true},
        {"level-wall", {1000, 1230, -1380, 40}, true},
        {"level-pit", {840, 900, -1460, 40}, false},
    };
    for (const View &v : views) {
        drawLevel(v.cam, v.puffs);
        ok = ok && writePpm(out + "-" + v.name + ".ppm");
    }
    SDL_Quit();
    return ok ? 0 : 1;
}
