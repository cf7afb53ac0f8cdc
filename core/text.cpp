// Bitmap text: the character-to-glyph table and the drawing of a string one cell a
// character, glyphs centred in their cells.
#include "core/text.h"

#include "video/video.h"

int textGlyphIndex(unsigned char c) {
    if (c >= '0' && c <= '9') return c - 22;
    if (c >= 'A' && c <= 'Z') return c - 65;
    switch (c) {
    case ':':
        return 36;
    case ',':
        return 37;
    case '.':
        return 38;
    case '-':
        return 39;
    case '@':
        return 40;
    default:
        return -1;
    }
}

void textDraw(float x, float y, float z, float scaleX, float scaleY, const char *text,
              int centred) {
    if (centred == 1) {
        // Every character takes a cell, drawn or not, so the first and last cells' centres
        // lie symmetric about x.
        float width = 0;
        for (const char *c = text; *c; c++)
            width += textCellWidth;
        x -= (width - textCellWidth) * 0.5f;
    }
    for (const char *c = text; *c; c++) {
        int glyph = textGlyphIndex(static_cast<unsigned char>(*c));
        if (glyph >= 0) videoDrawSprite(x, y, z, scaleX, scaleY, glyph);
        x += textCellWidth;
    }
}
