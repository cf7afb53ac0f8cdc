// The client's OpenGL layer: state set-up, the screens' frustum, colour and matrix
// wrappers, mesh and shape drawing, and the texture atlases with their sprites.
#pragma once

#include <cstdint>

// Graphics quality: 0 low, anything else high (stored as given).
extern int videoQuality;

void videoInit();
void videoSwapBuffers();
void videoClear(int r, int g, int b, int a);
void videoSetFrustum(float left, float right, float top, float bottom, float nearZ, float farZ);
void videoSetQuality(int on);
void videoSetColor(int r, int g, int b, int a);
void videoLoadIdentity();
void videoPushMatrix();
void videoPopMatrix();
void videoTranslate(float x, float y, float z);
void videoScale(float x, float y, float z);
void videoRotate(float ax, float ay, float az);
// Textured mesh: 8 floats a vertex (u, v, nx, ny, nz, x, y, z), 3 vertices a triangle.
void videoDrawMesh(const float *vertices, int triangles);
// Flat mesh: 6 floats a vertex (nx, ny, nz, x, y, z), drawn untextured.
void videoDrawMeshFlat(const float *vertices, int triangles);
void videoDrawBox(float x, float y, float z, float w, float h);
void videoDrawBar(float w, float h);
void videoDrawTriangle(float x, float y, float z, float x1, float y1, float x2, float y2, float x3,
                       float y3, float w, float h);
void videoPrepare(int unused);

// One sprite of an atlas, in texels from the image's first column and first row.
struct SpriteRect {
    int32_t x0, y0, x1, y1;
};

struct TextureAtlas {
    char imagePath[260];
    int32_t size;
    char palettePath[260];
    int32_t paletteSize;
    const SpriteRect *sprites;
    int32_t spriteFlags;
};

constexpr int atlasSplash = 0;
constexpr int atlasMenu = 1;
constexpr int atlasGame = 2;
constexpr int atlasMaxSize = 512;

extern const TextureAtlas textureAtlases[3];
extern const SpriteRect spritesSplash[2];
extern const SpriteRect spritesMenu[52];
extern const SpriteRect spritesGame[1];

// Index of the atlas whose image the texture object holds; -1 when none is known.
extern int boundAtlas;
// The last decoded image, RGBA, row 0 first.
extern uint8_t atlasPixels[atlasMaxSize * atlasMaxSize * 4];

void videoTextureAtlasSet(const TextureAtlas *table, int count);
void videoTextureAtlasBind(int index);
void videoDrawSprite(float x, float y, float z, float sx, float sy, int sprite);
void videoSpriteSize(int sprite, int *width, int *height);
