// The texture atlases in use: reading, decoding and uploading
// an atlas into the one texture object, and drawing its sprites as textured quads.
#include "video/video.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "platform/file.h"
#include "video/defc.h"

static const TextureAtlas *atlasTable = nullptr;
static int atlasCount = 0;
int boundAtlas = -1;
uint8_t atlasPixels[atlasMaxSize * atlasMaxSize * 4];
// The decode goes here first, so that atlasPixels only ever takes a whole, good image.
static uint8_t atlasDecoded[sizeof atlasPixels];

// The largest file an atlas can need: every byte of the largest image as a literal of the
// longest code (31 bits), after a header of 9 bytes and at most 35 code-length lengths of 7
// bits and 316 lengths of a code and 7 extra bits each. A longer file is refused unread.
constexpr long atlasFileMaxBytes = 4L << 20;
static_assert(9 + (3 + defcMaxCodeLengthSymbols * 7 + 316 * (defcMaxCodeLength + 7) +
                   (long(sizeof atlasPixels) + 1) * defcMaxCodeLength + 7) /
                      8 <=
              atlasFileMaxBytes);

void videoTextureAtlasSet(const TextureAtlas *table, int count) {
    atlasTable = table;
    atlasCount = count;
    boundAtlas = -1;
}

// The record of an index, or null when there is no table or the index lies outside it.
static const TextureAtlas *atlasRecord(int index) {
    if (!atlasTable || index < 0 || index >= atlasCount) return nullptr;
    return &atlasTable[index];
}

// A file that cannot be read as an atlas: missing, unreadable, not a regular file, or too
// long for any atlas.
static void atlasOpenFailed(const TextureAtlas *atlas) {
    fprintf(stderr, "videoTextureAtlasBind(): Couldn't open file \"%s\" for reading.\n",
            atlas->imagePath);
}

void videoTextureAtlasBind(int index) {
    if (boundAtlas == index) return;
    const TextureAtlas *atlas = atlasRecord(index);
    if (!atlas) return;
    // Only a regular file is opened: a directory would report an absurd length, and opening
    // a pipe could block the frame.
    bool regular = platformRegularFileSize(atlas->imagePath) >= 0;
    FILE *file = regular ? fopen(atlas->imagePath, "rb") : nullptr;
    if (!file) {
        atlasOpenFailed(atlas);
        return;
    }
    // A size that does not fit atlasPixels would make the upload read past it.
    int size = atlas->size;
    if (size <= 0 || size > atlasMaxSize) {
        fprintf(stderr, "videoTextureAtlasBind(): Bad image size %d in \"%s\".\n", size,
                atlas->imagePath);
        fclose(file);
        return;
    }
    long length = -1;
    if (fseek(file, 0, SEEK_END) == 0) length = ftell(file);
    if (length > atlasFileMaxBytes) {
        atlasOpenFailed(atlas);
        fclose(file);
        return;
    }
    if (length < 0 || fseek(file, 0, SEEK_SET) != 0) {
        fprintf(stderr, "videoTextureAtlasBind(): Couldn't read file \"%s\".\n", atlas->imagePath);
        fclose(file);
        return;
    }
    // The file's bytes are the one thing on the heap, and only for the decode.
    uint8_t *bytes = static_cast<uint8_t *>(malloc(length > 0 ? size_t(length) : 1));
    if (!bytes) {
        fprintf(stderr, "videoTextureAtlasBind(): Out of memory error.\n");
        fclose(file);
        return;
    }
    // The decode sees only the bytes actually read, so a short read cannot run past them.
    size_t got = fread(bytes, 1, size_t(length), file);
    fclose(file);
    size_t imageBytes = size_t(size) * size_t(size) * 4;
    size_t written = 0;
    DefcResult result = defcDecode(bytes, got, atlasDecoded, imageBytes, &written);
    free(bytes);
    // A damaged file, or a stream that ends before the whole image, leaves the texture,
    // boundAtlas and atlasPixels as they were; a file without the magic decodes to nothing
    // and the image decoded last is uploaded, as for a good one.
    if (result == defcDamaged || (result == defcOk && written < imageBytes)) {
        fprintf(stderr, "videoTextureAtlasBind(): File \"%s\" is damaged.\n", atlas->imagePath);
        return;
    }
    if (result == defcOk) memcpy(atlasPixels, atlasDecoded, imageBytes);
    boundAtlas = index;
    if (videoQuality != 0) {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, size, size, GL_RGBA, GL_UNSIGNED_BYTE,
                          atlasPixels);
    } else {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     atlasPixels);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

// The rectangle of a sprite of the bound atlas, or null while none is bound or the index
// lies outside the table. The records hold no sprite count, so the count comes from
// knowing the three tables; a table unknown here draws nothing.
static const SpriteRect *atlasSprite(int sprite, const TextureAtlas **atlas) {
    const TextureAtlas *a = atlasRecord(boundAtlas);
    if (!a || !a->sprites || sprite < 0) return nullptr;
    int count = 0;
    if (a->sprites == spritesSplash)
        count = int(std::size(spritesSplash));
    else if (a->sprites == spritesMenu)
        count = int(std::size(spritesMenu));
    else if (a->sprites == spritesGame)
        count = int(std::size(spritesGame));
    if (sprite >= count) return nullptr;
    if (atlas) *atlas = a;
    return &a->sprites[sprite];
}

void videoDrawSprite(float x, float y, float z, float sx, float sy, int sprite) {
    const TextureAtlas *atlas = nullptr;
    const SpriteRect *r = atlasSprite(sprite, &atlas);
    if (!r || atlas->size <= 0) return;
    float k = 1.0f / float(atlas->size);
    float s0 = float(r->x0) * k, t0 = float(r->y0) * k;
    float s1 = float(r->x1) * k, t1 = float(r->y1) * k;
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(x, y, z);
    glScalef(float(r->x1 - r->x0) * 0.5f * sx, float(r->y1 - r->y0) * 0.5f * sy, 1.0f);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(s0, t0);
    glVertex3f(-1, -1, 0);
    glTexCoord2f(s1, t0);
    glVertex3f(1, -1, 0);
    glTexCoord2f(s0, t1);
    glVertex3f(-1, 1, 0);
    glTexCoord2f(s1, t1);
    glVertex3f(1, 1, 0);
    glEnd();
    glPopMatrix();
}

void videoSpriteSize(int sprite, int *width, int *height) {
    const SpriteRect *r = atlasSprite(sprite, nullptr);
    if (!r) return;
    if (width) *width = r->x1 - r->x0;
    if (height) *height = r->y1 - r->y0;
}
