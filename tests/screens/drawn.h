// Reads the recorded sprite calls back as lines of text, so tests can say what a screen
// shows and where.
#pragma once

#include <string>

#include "fakevideo.h"

struct DrawnLine {
    std::string text;    // glyphs in cell order, empty cells as spaces; "" when none
    float firstX = 0;    // centre of the first drawn cell
    std::string colours; // one letter a cell: 'i' item, 'v' value, ' ' empty, '?' other
};

// Every glyph (sprites 0 to 40) drawn at y and z with x from xFrom to xTo, in order of x.
DrawnLine drawnLine(float y, float z = -0.5f, float xFrom = -1e9f, float xTo = 1e9f);
