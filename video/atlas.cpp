// The three texture atlases with their sprite rectangles, and sprite drawing.
// The bind below is a stand-in until the image decoder lands: it records the index only.
#include "video/video.h"

#include <GL/gl.h>

const SpriteRect spritesSplash[2] = {{2, 2, 478, 194}, {2, 198, 478, 466}};

const SpriteRect spritesMenu[52] = {
    {1, 0, 31, 42},      {33, 0, 66, 42},     {66, 0, 94, 42},     {96, 0, 124, 42},
    {126, 0, 152, 42},   {155, 0, 181, 42},   {182, 0, 214, 42},   {217, 0, 249, 42},
    {248, 0, 270, 42},   {272, 0, 297, 42},   {298, 0, 328, 42},   {329, 0, 354, 42},
    {357, 0, 395, 42},   {396, 0, 427, 42},   {428, 0, 460, 42},   {463, 0, 493, 42},
    {1, 46, 31, 90},     {35, 46, 64, 90},    {67, 46, 99, 90},    {103, 46, 130, 90},
    {133, 46, 161, 90},  {167, 46, 194, 90},  {197, 46, 234, 90},  {234, 46, 266, 90},
    {266, 46, 297, 90},  {297, 46, 331, 90},  {8, 94, 38, 137},    {44, 94, 65, 137},
    {66, 94, 96, 137},   {99, 94, 128, 137},  {131, 94, 160, 137}, {162, 94, 190, 137},
    {193, 94, 223, 137}, {226, 94, 254, 137}, {258, 94, 292, 137}, {295, 94, 328, 137},
    {250, 20, 257, 32},  {158, 21, 166, 36},  {333, 56, 352, 89},  {361, 184, 384, 205},
    {262, 18, 284, 33},  {0, 48, 63, 112},    {64, 48, 127, 112},  {128, 48, 191, 112},
    {192, 48, 255, 112}, {256, 48, 319, 112}, {320, 48, 383, 112}, {384, 48, 447, 112},
    {448, 48, 511, 112}, {4, 149, 292, 277},  {304, 147, 426, 251}, {307, 262, 342, 296},
};

const SpriteRect spritesGame[1] = {{0, 0, 511, 511}};

const TextureAtlas textureAtlases[3] = {
    {"gfx/textureSplash.dtt", 512, "gfx/textureSplash.pal", 256, spritesSplash, 2},
    {"gfx/textureMenu.dtt", 512, "gfx/textureMenu.pal", 256, spritesMenu, 1},
    {"gfx/textureGame.dtt", 512, "gfx/textureGame.pal", 256, spritesGame, 1},
};

static const TextureAtlas *atlasTable = nullptr;
static int atlasCount = 0;
int boundAtlas = -1;
uint8_t atlasPixels[atlasMaxSize * atlasMaxSize * 4];

void videoTextureAtlasSet(const TextureAtlas *table, int count) {
    atlasTable = table;
    atlasCount = count;
    boundAtlas = -1;
}

void videoTextureAtlasBind(int index) {
    if (boundAtlas == index) return;
    boundAtlas = index;
}

void videoDrawSprite(float, float, float, float, float, int) {}

void videoSpriteSize(int, int *, int *) {}
