// Building blocks of the model generator: vectors, triangles with their texture mapping,
// polygons, lofts and transforms. Every face is given counter-clockwise seen from outside.
#pragma once

#include <vector>

struct V3 {
    double x, y, z;
};

inline V3 operator+(V3 a, V3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline V3 operator-(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline V3 operator*(V3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline double dot(V3 a, V3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline V3 cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(V3 a);
V3 normalize(V3 a);
V3 lerp(V3 a, V3 b, double t);

// How a face takes its texture coordinates.
// - A ramp face: every vertex reads the material's column at the row its normal's
//   shading gives, so the face comes out shaded like a lit surface.
// - A mapped face: texel position = patch origin + (dot(p, ax) + x0, dot(p, ay) + y0)
//   world units, at the patches' scale.
struct Paint {
    bool ramp = true;
    int material = 0;
    // The heat ramp is read by height instead: cold at zCold, white hot at zHot.
    double zCold = 0, zHot = 0;
    int patch = 0;
    V3 ax{1, 0, 0};
    double x0 = 0;
    V3 ay{0, 1, 0};
    double y0 = 0;
};

Paint ramp(int material);
Paint heatRamp(double zCold, double zHot);
// Seen from above: x to the right, y downward, the cell's centre at the patch's centre.
Paint topDown(int patch);
// Along a face: `along` in the surface, `up` the other way; offsets in world units.
Paint mapped(int patch, V3 along, double alongOffset, V3 up, double upOffset);

struct Vertex {
    V3 p, n;
    double u, v;
};

struct Triangle {
    Vertex a, b, c;
    Paint paint;
};

using Mesh = std::vector<Triangle>;

// A flat triangle (its normal from its winding).
void tri(Mesh &m, V3 a, V3 b, V3 c, const Paint &paint);
// A triangle with its own vertex normals, for rounded surfaces.
void triSmooth(Mesh &m, V3 a, V3 b, V3 c, V3 na, V3 nb, V3 nc, const Paint &paint);
// A quad a b c d, as the triangles a b c and a c d.
void quad(Mesh &m, V3 a, V3 b, V3 c, V3 d, const Paint &paint);
// A simple polygon, possibly concave, nearly planar; cut into n - 2 triangles.
void polygon(Mesh &m, const std::vector<V3> &points, const Paint &paint);
// The same faces turned, where needed, to face away from a point inside the part.
void triAway(Mesh &m, V3 a, V3 b, V3 c, V3 inside, const Paint &paint);
void quadAway(Mesh &m, V3 a, V3 b, V3 c, V3 d, V3 inside, const Paint &paint);
// An axis-aligned box without its bottom; faces listed in `skip` ("-x+x-y+y+z") are left
// out where other parts cover them.
void box(Mesh &m, V3 lo, V3 hi, const Paint &paint, const char *skip = "");

// Bands between successive rings of equal size (a ring runs counter-clockwise seen from
// the end the rings advance toward, so the bands face outward). With smooth set, the
// normals of each band are averaged around the ring.
void loft(Mesh &m, const std::vector<std::vector<V3>> &rings, bool closed, bool smooth,
          const Paint &paint);
// A ring of n points around the z axis at height z: radius rx along x and ry along y,
// starting at the given angle in degrees.
std::vector<V3> ringZ(int n, double rx, double ry, double z, double startDegrees = 0);
// The same around an axis through centre: u and w span the ring's plane.
std::vector<V3> ringAbout(int n, V3 centre, V3 u, V3 w, double radius, double startDegrees = 0);

// Transforms of finished parts.
void translate(Mesh &m, V3 by);
void rotateZ(Mesh &m, double degrees);
void rotateX(Mesh &m, double degrees);
void rotateY(Mesh &m, double degrees);
void scale(Mesh &m, double sx, double sy, double sz);
// Mirrored copy across x = 0 (windings reversed, so the copy still faces outward).
Mesh mirroredX(const Mesh &m);
void append(Mesh &to, const Mesh &from);

// Texture coordinates of the ramp faces from their final normals (mapped faces take
// theirs when they are made, so that transforms carry them along).
void bake(Mesh &m);
