// Reconstruction of drawn text from the recorded glyph sprites.
#include "drawn.h"

#include <algorithm>
#include <cmath>
#include <vector>

static char glyphChar(int glyph) {
    static const char chars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789:,.-@";
    return glyph >= 0 && glyph <= 40 ? chars[glyph] : '?';
}

static char colourLetter(const int c[4]) {
    if (c[0] == 255 && c[1] == 207 && c[2] == 60 && c[3] == 254) return 'i';
    if (c[0] == 31 && c[1] == 137 && c[2] == 236 && c[3] == 254) return 'v';
    return '?';
}

DrawnLine drawnLine(float y, float z, float xFrom, float xTo) {
    std::vector<FakeCall> glyphs;
    for (const FakeCall &c : fakeCallsNamed("DrawSprite"))
        if (c.args[5] <= 40 && std::fabs(c.args[1] - y) < 1e-3f &&
            std::fabs(c.args[2] - z) < 1e-3f && c.args[0] >= xFrom && c.args[0] <= xTo)
            glyphs.push_back(c);
    std::sort(glyphs.begin(), glyphs.end(),
              [](const FakeCall &a, const FakeCall &b) { return a.args[0] < b.args[0]; });
    DrawnLine line;
    if (glyphs.empty()) return line;
    line.firstX = glyphs[0].args[0];
    for (const FakeCall &g : glyphs) {
        // Cells are 4.5 apart; a gap of whole cells becomes spaces.
        int cell = int(std::lround((g.args[0] - line.firstX) / 4.5f));
        while (int(line.text.size()) < cell)
            line.text += ' ', line.colours += ' ';
        line.text += glyphChar(int(g.args[5]));
        line.colours += colourLetter(g.colour);
    }
    return line;
}
