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

#include "net/net.h"
#include "video/video.h"
#include "world/camera.h"
#include "world/game.h"
#include "world/mesh.h"
#include "world/particle.h"
#include "world/scenery.h"
#include "world/unit.h"

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

void draw(const Model &m) {
    videoDrawMesh(m.vertices, m.triangles);
}

struct Camera {
    float x, y, z, tilt;
};

// The built-in level as the play state draws it, with three enemy units near base 0 to show
// their rings and, with puffs, the smoke of a few seconds.
void drawLevel(const Camera &cam, bool puffs) {
    myPlayerId = 0;
    gameLevelInit();
    unitSpawn(1, 880, 820, 45, 1, -1, 0);
    unitSpawn(2, 800, 880, 300, 1, -1, 0);
    unitSpawn(2, 1320, 1010, 180, 1, -1, 0);
    if (puffs)
        for (int k = 0; k < 200; k++) {
            sceneryEmittersUpdate(16);
            particleUpdateAll(16);
        }
    camX = cam.x;
    camY = cam.y;
    camZ = cam.z;
    camTilt = cam.tilt;
    videoClear(0, 0, 0, 255);
    videoSetFrustum(-16, 16, -9, 9, 20, 3000);
    gameDraw();
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
