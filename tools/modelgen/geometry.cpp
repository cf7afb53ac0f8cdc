// The model generator's building blocks: faces, polygons cut into triangles, lofts,
// transforms, and the texture coordinates that the paints give.
#include "geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gamelayout.h"

namespace {

constexpr double pi = 3.14159265358979323846;

V3 faceNormal(V3 a, V3 b, V3 c) {
    return normalize(cross(b - a, c - a));
}

void fail(const char *what) {
    fprintf(stderr, "modelgen: %s\n", what);
    exit(1);
}

void transform(Mesh &m, V3 (*f)(V3, const double *), const double *k, bool normals) {
    for (Triangle &t : m)
        for (Vertex *v : {&t.a, &t.b, &t.c}) {
            v->p = f(v->p, k);
            if (normals) v->n = normalize(f(v->n, k));
        }
}

V3 turnZ(V3 p, const double *k) {
    return {p.x * k[0] - p.y * k[1], p.x * k[1] + p.y * k[0], p.z};
}
V3 turnX(V3 p, const double *k) {
    return {p.x, p.y * k[0] - p.z * k[1], p.y * k[1] + p.z * k[0]};
}
V3 turnY(V3 p, const double *k) {
    return {p.x * k[0] + p.z * k[1], p.y, -p.x * k[1] + p.z * k[0]};
}

} // namespace

double length(V3 a) {
    return std::sqrt(dot(a, a));
}

V3 normalize(V3 a) {
    double l = length(a);
    if (l < 1e-12) fail("a zero vector has no direction");
    return a * (1 / l);
}

V3 lerp(V3 a, V3 b, double t) {
    return a + (b - a) * t;
}

Paint ramp(int material) {
    Paint p;
    p.material = material;
    return p;
}

Paint heatRamp(double zCold, double zHot) {
    Paint p = ramp(matHeat);
    p.zCold = zCold;
    p.zHot = zHot;
    return p;
}

Paint topDown(int patch) {
    return mapped(patch, {1, 0, 0}, 30, {0, 1, 0}, 30);
}

Paint mapped(int patch, V3 along, double alongOffset, V3 up, double upOffset) {
    Paint p;
    p.ramp = false;
    p.patch = patch;
    p.ax = along;
    p.x0 = alongOffset;
    p.ay = up;
    p.y0 = upOffset;
    return p;
}

static void mapTexture(const Paint &p, Vertex &v) {
    double x = gamePatchX(p.patch) + (dot(v.p, p.ax) + p.x0) * gameTexelsPerUnit;
    double y = gamePatchY(p.patch) + (dot(v.p, p.ay) + p.y0) * gameTexelsPerUnit;
    v.u = x / gameAtlasSize;
    v.v = y / gameAtlasSize;
}

void triSmooth(Mesh &m, V3 a, V3 b, V3 c, V3 na, V3 nb, V3 nc, const Paint &paint) {
    if (length(cross(b - a, c - a)) < 1e-6) fail("degenerate triangle");
    Triangle t{{a, normalize(na), 0, 0}, {b, normalize(nb), 0, 0}, {c, normalize(nc), 0, 0}, paint};
    if (!paint.ramp)
        for (Vertex *v : {&t.a, &t.b, &t.c})
            mapTexture(paint, *v);
    m.push_back(t);
}

void triAway(Mesh &m, V3 a, V3 b, V3 c, V3 inside, const Paint &paint) {
    V3 centre = (a + b + c) * (1.0 / 3);
    if (dot(cross(b - a, c - a), centre - inside) < 0) std::swap(b, c);
    tri(m, a, b, c, paint);
}

void quadAway(Mesh &m, V3 a, V3 b, V3 c, V3 d, V3 inside, const Paint &paint) {
    V3 centre = (a + b + c + d) * 0.25;
    if (dot(cross(c - a, d - b), centre - inside) < 0) std::swap(b, d);
    quad(m, a, b, c, d, paint);
}

void box(Mesh &m, V3 lo, V3 hi, const Paint &paint, const char *skip) {
    std::string s = skip;
    V3 mid = (lo + hi) * 0.5;
    auto face = [&](const char *name, V3 a, V3 b, V3 c, V3 d) {
        if (s.find(name) == std::string::npos) quadAway(m, a, b, c, d, mid, paint);
    };
    face("-x", {lo.x, lo.y, lo.z}, {lo.x, hi.y, lo.z}, {lo.x, hi.y, hi.z}, {lo.x, lo.y, hi.z});
    face("+x", {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, {hi.x, lo.y, hi.z});
    face("-y", {lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {lo.x, lo.y, hi.z});
    face("+y", {lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z});
    face("+z", {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z});
}

void tri(Mesh &m, V3 a, V3 b, V3 c, const Paint &paint) {
    V3 n = faceNormal(a, b, c);
    triSmooth(m, a, b, c, n, n, n, paint);
}

void quad(Mesh &m, V3 a, V3 b, V3 c, V3 d, const Paint &paint) {
    tri(m, a, b, c, paint);
    tri(m, a, c, d, paint);
}

void polygon(Mesh &m, const std::vector<V3> &points, const Paint &paint) {
    // Ear clipping in the polygon's own plane (Newell's normal).
    V3 n{0, 0, 0};
    size_t count = points.size();
    for (size_t i = 0; i < count; i++) {
        V3 a = points[i], b = points[(i + 1) % count];
        n = n + V3{(a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y)};
    }
    n = normalize(n);
    V3 e1 = normalize(std::fabs(n.x) < 0.9 ? cross(n, {1, 0, 0}) : cross(n, {0, 1, 0}));
    V3 e2 = cross(n, e1);
    struct P2 {
        double x, y;
    };
    std::vector<P2> flat;
    for (V3 p : points)
        flat.push_back({dot(p, e1), dot(p, e2)});
    auto crossAt = [](P2 a, P2 b, P2 c) {
        return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    };
    std::vector<size_t> left;
    for (size_t i = 0; i < count; i++)
        left.push_back(i);
    while (left.size() > 3) {
        bool cut = false;
        for (size_t k = 0; k < left.size() && !cut; k++) {
            size_t ia = left[(k + left.size() - 1) % left.size()], ib = left[k],
                   ic = left[(k + 1) % left.size()];
            P2 a = flat[ia], b = flat[ib], c = flat[ic];
            if (crossAt(a, b, c) <= 1e-9) continue; // reflex or straight
            bool inside = false;
            for (size_t j : left) {
                if (j == ia || j == ib || j == ic) continue;
                P2 p = flat[j];
                if (crossAt(a, b, p) >= 0 && crossAt(b, c, p) >= 0 && crossAt(c, a, p) >= 0) {
                    inside = true;
                    break;
                }
            }
            if (inside) continue;
            tri(m, points[ia], points[ib], points[ic], paint);
            left.erase(left.begin() + long(k));
            cut = true;
        }
        if (!cut) fail("polygon cannot be cut into triangles");
    }
    tri(m, points[left[0]], points[left[1]], points[left[2]], paint);
}

void loft(Mesh &m, const std::vector<std::vector<V3>> &rings, bool closed, bool smooth,
          const Paint &paint) {
    for (size_t r = 0; r + 1 < rings.size(); r++) {
        const std::vector<V3> &lo = rings[r], &hi = rings[r + 1];
        size_t n = lo.size();
        size_t segments = closed ? n : n - 1;
        std::vector<V3> faceN;
        for (size_t i = 0; i < segments; i++) {
            size_t j = (i + 1) % n;
            faceN.push_back(normalize(cross(lo[j] - lo[i], hi[i] - lo[i]) +
                                      cross(hi[j] - hi[i], hi[i] - lo[j])));
        }
        auto vertexN = [&](size_t seg, size_t corner) {
            // corner 0 is the segment's first point, 1 its second.
            if (!smooth) return faceN[seg];
            size_t other;
            if (corner == 0) {
                if (!closed && seg == 0) return faceN[seg];
                other = (seg + segments - 1) % segments;
            } else {
                if (!closed && seg + 1 == segments) return faceN[seg];
                other = (seg + 1) % segments;
            }
            return normalize(faceN[seg] + faceN[other]);
        };
        for (size_t i = 0; i < segments; i++) {
            size_t j = (i + 1) % n;
            V3 a = lo[i], b = lo[j], c = hi[j], d = hi[i];
            V3 na = vertexN(i, 0), nb = vertexN(i, 1), nc = nb, nd = na;
            // A band that narrows to a point on one side becomes one triangle.
            bool topPoint = length(c - d) < 1e-9, bottomPoint = length(a - b) < 1e-9;
            if (!bottomPoint)
                triSmooth(m, a, b, topPoint ? d : c, na, nb, topPoint ? nd : nc, paint);
            if (!topPoint) triSmooth(m, a, c, d, na, nc, nd, paint);
        }
    }
}

std::vector<V3> ringZ(int n, double rx, double ry, double z, double startDegrees) {
    std::vector<V3> ring;
    for (int i = 0; i < n; i++) {
        double a = (startDegrees + 360.0 * i / n) * pi / 180;
        ring.push_back({rx * std::cos(a), ry * std::sin(a), z});
    }
    return ring;
}

std::vector<V3> ringAbout(int n, V3 centre, V3 u, V3 w, double radius, double startDegrees) {
    std::vector<V3> ring;
    for (int i = 0; i < n; i++) {
        double a = (startDegrees + 360.0 * i / n) * pi / 180;
        ring.push_back(centre + u * (radius * std::cos(a)) + w * (radius * std::sin(a)));
    }
    return ring;
}

void translate(Mesh &m, V3 by) {
    for (Triangle &t : m)
        for (Vertex *v : {&t.a, &t.b, &t.c})
            v->p = v->p + by;
}

void rotateZ(Mesh &m, double degrees) {
    double k[2] = {std::cos(degrees * pi / 180), std::sin(degrees * pi / 180)};
    transform(m, turnZ, k, true);
}

void rotateX(Mesh &m, double degrees) {
    double k[2] = {std::cos(degrees * pi / 180), std::sin(degrees * pi / 180)};
    transform(m, turnX, k, true);
}

void rotateY(Mesh &m, double degrees) {
    double k[2] = {std::cos(degrees * pi / 180), std::sin(degrees * pi / 180)};
    transform(m, turnY, k, true);
}

void scale(Mesh &m, double sx, double sy, double sz) {
    // Normals take the inverse scale; a scale that mirrors would also need the windings
    // turned, which no part asks for.
    if (sx <= 0 || sy <= 0 || sz <= 0) fail("scale must keep the windings");
    for (Triangle &t : m)
        for (Vertex *v : {&t.a, &t.b, &t.c}) {
            v->p = {v->p.x * sx, v->p.y * sy, v->p.z * sz};
            v->n = normalize({v->n.x / sx, v->n.y / sy, v->n.z / sz});
        }
}

Mesh mirroredX(const Mesh &m) {
    Mesh out;
    for (const Triangle &t : m) {
        Triangle r = t;
        for (Vertex *v : {&r.a, &r.b, &r.c}) {
            v->p.x = -v->p.x;
            v->n.x = -v->n.x;
        }
        std::swap(r.b, r.c);
        out.push_back(r);
    }
    return out;
}

void append(Mesh &to, const Mesh &from) {
    to.insert(to.end(), from.begin(), from.end());
}

void bake(Mesh &m) {
    V3 light = normalize({rampLightX, rampLightY, rampLightZ});
    for (Triangle &t : m)
        for (Vertex *v : {&t.a, &t.b, &t.c}) {
            const Paint &p = t.paint;
            if (p.ramp) {
                // The column's middle across, the shade's row down the ramp.
                double lit = std::max(0.0, dot(v->n, light)) / light.z;
                double shade = std::min(1.0, rampAmbient + (1 - rampAmbient) * std::min(1.0, lit));
                if (p.material == matHeat)
                    shade = std::clamp((v->p.z - p.zCold) / (p.zHot - p.zCold), 0.0, 1.0);
                double x = rampX0 + p.material * rampColumn + rampColumn * 0.5;
                double y = rampY0 + 0.5 + shade * (rampRows - 1);
                v->u = x / gameAtlasSize;
                v->v = y / gameAtlasSize;
            }
        }
}
