// The bitmap font: 41 glyphs that are sprites 0 to 40 of the menu atlas, laid out in
// fixed cells of 4.5 units.
#pragma once

constexpr float textCellWidth = 4.5f;

// The glyph (and sprite) of a character, 0 to 40, or -1 when the font has none.
int textGlyphIndex(unsigned char character);
// Draws a zero-terminated string from x (the first cell's centre), or centred on x when
// centred is 1, in the current colour with the bound atlas.
void textDraw(float x, float y, float z, float scaleX, float scaleY, const char *text, int centred);
