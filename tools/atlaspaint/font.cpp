// The game's own bold stroke font: every character is a few polylines of a round pen over a
// unit box (x right, y down), with squarish curves, stretched over the glyph's body box.
#include "canvas.h"

#include <array>
#include <cmath>
#include <map>

namespace {

struct Pt {
    float x, y;
};
using Line = std::vector<Pt>;
using Strokes = std::vector<Line>;

// A point of a squarish ellipse (superellipse) at angle deg; 0 right, 90 down.
Pt sq(float cx, float cy, float rx, float ry, float deg) {
    float t = deg * 3.14159265f / 180.0f;
    float c = std::cos(t), s = std::sin(t);
    const float e = 2.0f / 2.8f;
    float x = std::copysign(std::pow(std::fabs(c), e), c);
    float y = std::copysign(std::pow(std::fabs(s), e), s);
    return {cx + rx * x, cy + ry * y};
}

// Appends an arc from deg0 to deg1 (either direction) to a line.
void arc(Line &l, float cx, float cy, float rx, float ry, float deg0, float deg1) {
    int steps = std::max(2, int(std::fabs(deg1 - deg0) / 6.0f));
    for (int i = 0; i <= steps; i++)
        l.push_back(sq(cx, cy, rx, ry, deg0 + (deg1 - deg0) * i / steps));
}

Line L(std::initializer_list<Pt> pts) {
    return Line(pts);
}

Line ring(float cx, float cy, float rx, float ry) {
    Line l;
    arc(l, cx, cy, rx, ry, 0, 360);
    return l;
}

std::map<char, Strokes> buildFont() {
    std::map<char, Strokes> f;
    Line l;
    l.clear();
    l.push_back({0, 1});
    arc(l, 0.5f, 0.42f, 0.5f, 0.42f, 180, 360);
    l.push_back({1, 1});
    f['A'] = {l, L({{0, 0.62f}, {1, 0.62f}})};

    l = L({{0, 0.49f}, {0, 0}, {0.6f, 0}});
    arc(l, 0.6f, 0.245f, 0.35f, 0.245f, 270, 450);
    l.push_back({0, 0.49f});
    l.push_back({0, 1});
    l.push_back({0.62f, 1});
    {
        Line m;
        arc(m, 0.62f, 0.745f, 0.38f, 0.255f, 90, -90);
        l.insert(l.end(), m.begin(), m.end());
    }
    l.push_back({0, 0.49f});
    f['B'] = {l};

    l.clear();
    arc(l, 0.5f, 0.5f, 0.5f, 0.5f, 325, 35);
    f['C'] = {l};

    l = L({{0.45f, 0}, {0, 0}, {0, 1}, {0.45f, 1}});
    {
        Line m;
        arc(m, 0.45f, 0.5f, 0.55f, 0.5f, 90, -90);
        l.insert(l.end(), m.begin(), m.end());
    }
    l.push_back({0.45f, 0});
    f['D'] = {l};

    f['E'] = {L({{1, 0}, {0, 0}, {0, 1}, {1, 1}}), L({{0, 0.48f}, {0.78f, 0.48f}})};
    // The arm sits a little high: the comma sprite lies on the lower stem.
    f['F'] = {L({{1, 0}, {0, 0}, {0, 1}}), L({{0, 0.37f}, {0.8f, 0.37f}})};

    l.clear();
    arc(l, 0.5f, 0.5f, 0.5f, 0.5f, 325, 90);
    arc(l, 0.5f, 0.5f, 0.5f, 0.5f, 90, 0);
    l.push_back({1, 0.56f});
    l.push_back({0.55f, 0.56f});
    f['G'] = {l};

    f['H'] = {L({{0, 0}, {0, 1}}), L({{1, 0}, {1, 1}}), L({{0, 0.5f}, {1, 0.5f}})};
    f['I'] = {L({{0.5f, 0}, {0.5f, 1}})};

    l = L({{0.35f, 0}, {1, 0}, {1, 0.68f}});
    arc(l, 0.5f, 0.68f, 0.5f, 0.32f, 0, 165);
    f['J'] = {l};

    f['K'] = {L({{0, 0}, {0, 1}}), L({{1, 0}, {0.08f, 0.6f}}), L({{0.4f, 0.4f}, {1, 1}})};
    f['L'] = {L({{0, 0}, {0, 1}, {1, 1}})};
    f['M'] = {L({{0, 1}, {0, 0}, {0.5f, 0.6f}, {1, 0}, {1, 1}})};
    f['N'] = {L({{0, 1}, {0, 0}, {1, 1}, {1, 0}})};
    f['O'] = {ring(0.5f, 0.5f, 0.5f, 0.5f)};

    l = L({{0, 1}, {0, 0}, {0.6f, 0}});
    arc(l, 0.6f, 0.27f, 0.4f, 0.27f, 270, 450);
    l.push_back({0, 0.54f});
    f['P'] = {l};
    f['Q'] = {ring(0.5f, 0.5f, 0.5f, 0.5f), L({{0.62f, 0.72f}, {1.02f, 1.04f}})};
    f['R'] = {l, L({{0.45f, 0.54f}, {1, 1}})};

    l.clear();
    arc(l, 0.5f, 0.26f, 0.5f, 0.26f, 340, 90);
    arc(l, 0.5f, 0.74f, 0.5f, 0.26f, 270, 520);
    f['S'] = {l};

    f['T'] = {L({{0, 0}, {1, 0}}), L({{0.5f, 0}, {0.5f, 1}})};
    l = L({{0, 0}, {0, 0.6f}});
    arc(l, 0.5f, 0.6f, 0.5f, 0.4f, 180, 0);
    l.push_back({1, 0});
    f['U'] = {l};
    f['V'] = {L({{0, 0}, {0.5f, 1}, {1, 0}})};
    f['W'] = {L({{0, 0}, {0.22f, 1}, {0.5f, 0.38f}, {0.78f, 1}, {1, 0}})};
    f['X'] = {L({{0, 0}, {1, 1}}), L({{1, 0}, {0, 1}})};
    f['Y'] = {L({{0, 0}, {0.5f, 0.52f}, {1, 0}}), L({{0.5f, 0.52f}, {0.5f, 1}})};
    f['Z'] = {L({{0, 0}, {1, 0}, {0, 1}, {1, 1}})};

    f['0'] = {ring(0.5f, 0.5f, 0.5f, 0.5f)};
    f['1'] = {L({{0.1f, 0.22f}, {0.62f, 0}, {0.62f, 1}})};
    l.clear();
    arc(l, 0.5f, 0.3f, 0.5f, 0.3f, 195, 390);
    l.push_back({0, 1});
    l.push_back({1, 1});
    f['2'] = {l};
    l.clear();
    arc(l, 0.5f, 0.26f, 0.48f, 0.26f, 200, 450);
    arc(l, 0.5f, 0.74f, 0.5f, 0.26f, 270, 520);
    f['3'] = {l, L({{0.3f, 0.5f}, {0.5f, 0.5f}})};
    f['4'] = {L({{0.78f, 1}, {0.78f, 0}, {0, 0.68f}, {1, 0.68f}})};
    l = L({{1, 0}, {0.04f, 0}, {0, 0.44f}, {0.5f, 0.4f}});
    arc(l, 0.5f, 0.7f, 0.5f, 0.3f, 270, 520);
    f['5'] = {l};
    l.clear();
    arc(l, 0.5f, 0.4f, 0.5f, 0.4f, 300, 180);
    l.push_back({0, 0.68f});
    f['6'] = {l, ring(0.5f, 0.68f, 0.5f, 0.32f)};
    f['7'] = {L({{0, 0}, {1, 0}, {0.38f, 1}})};
    f['8'] = {ring(0.5f, 0.25f, 0.44f, 0.25f), ring(0.5f, 0.73f, 0.5f, 0.27f)};
    l.clear();
    l.push_back({1, 0.32f});
    arc(l, 0.5f, 0.6f, 0.5f, 0.4f, 0, 120);
    f['9'] = {l, ring(0.5f, 0.32f, 0.5f, 0.32f)};

    f['.'] = {L({{0.5f, 1}, {0.5f, 1}})};
    f['-'] = {L({{0.1f, 0.5f}, {0.9f, 0.5f}})};
    f[':'] = {L({{0.5f, 0.3f}, {0.5f, 0.3f}}), L({{0.5f, 1}, {0.5f, 1}})};
    f[','] = {L({{0.6f, 0.85f}, {0.4f, 1.15f}})};
    l.clear();
    arc(l, 0.5f, 0.5f, 0.5f, 0.5f, 60, 360 + 10);
    l.push_back({1, 0.62f});
    arc(l, 0.5f, 0.5f, 0.22f, 0.24f, 0, 360);
    f['@'] = {l};
    // A tick for the done key.
    f['!'] = {L({{0, 0.55f}, {0.38f, 0.92f}, {1, 0.05f}})};
    return f;
}

const std::map<char, Strokes> &font() {
    static const std::map<char, Strokes> f = buildFont();
    return f;
}

} // namespace

bool fontHas(char c) {
    return font().count(c) != 0;
}

float fontBodyWidth(char c, float height) {
    float k = height / 30.0f;
    switch (c) {
    case 'I':
        return 5.0f * k;
    case '1':
        return 13.0f * k;
    case 'M':
    case 'W':
        return 22.0f * k;
    case '.':
    case ':':
        return 5.4f * k;
    case ',':
        return 7.0f * k;
    default:
        return 19.0f * k;
    }
}

float fontSdf(char c, float x, float y, float left, float top, float width, float height,
              float hw) {
    auto it = font().find(c);
    if (it == font().end()) return 1e9f;
    float sx = std::max(0.0f, width - 2 * hw), sy = std::max(0.0f, height - 2 * hw);
    float ox = left + hw, oy = top + hw;
    // Far from the body box its distance is close enough (and a lower bound).
    float box = sdBox(x, y, left + width / 2, top + height / 2, width / 2, height / 2);
    if (box > 12) return box;
    float best = 1e9f;
    for (const Line &line : it->second) {
        for (size_t i = 0; i < line.size(); i++) {
            const Pt &a = line[i];
            const Pt &b = line[i + 1 < line.size() ? i + 1 : i];
            float d = sdSegment(x, y, ox + a.x * sx, oy + a.y * sy, ox + b.x * sx, oy + b.y * sy);
            best = std::min(best, d);
        }
    }
    return best - hw;
}

float textSdf(const std::string &text, float x, float y, float centreX, float top, float height,
              float advance, float hw) {
    std::vector<float> centres(text.size());
    if (advance >= 0) {
        float first = centreX - advance * float(text.size() - 1) * 0.5f;
        for (size_t i = 0; i < text.size(); i++)
            centres[i] = first + advance * float(i);
    } else {
        float gap = -advance, pos = 0;
        for (size_t i = 0; i < text.size(); i++) {
            float w = fontHas(text[i]) ? fontBodyWidth(text[i], height) : height * 0.5f;
            centres[i] = pos + w / 2;
            pos += w + gap;
        }
        float shift = centreX - (pos - gap) / 2;
        for (float &c : centres)
            c += shift;
    }
    float best = 1e9f;
    for (size_t i = 0; i < text.size(); i++) {
        float w = fontBodyWidth(text[i], height);
        if (std::fabs(x - centres[i]) > w / 2 + height) continue;
        best = std::min(best, fontSdf(text[i], x, y, centres[i] - w / 2, top, w, height, hw));
    }
    return best;
}
