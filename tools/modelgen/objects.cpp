// The scenery objects: the prop, a steel-cornered crate of parts (also drawn small as
// smoke and large as explosions), and the smoke emitter, a chimney glowing inside.
#include "models.h"

#include "gamelayout.h"

namespace {

// A face of the crate in its own frame: origin o, u along, w up, n = u x w outward. The
// outer rectangle gets a frame round a panel sunk by depth; a wall of the sink that faces
// straight down is never seen from above and is left out.
void recessedPanel(Mesh &m, V3 o, V3 u, V3 w, double ax, double ay0, double ay1, double bx,
                   double by0, double by1, double depth, const Paint &frame, const Paint &panel,
                   bool lidded) {
    V3 n = cross(u, w);
    auto at = [&](double a, double b, double d) { return o + u * a + w * b - n * d; };
    V3 outer[4] = {at(-ax, ay0, 0), at(ax, ay0, 0), at(ax, ay1, 0), at(-ax, ay1, 0)};
    V3 inner[4] = {at(-bx, by0, 0), at(bx, by0, 0), at(bx, by1, 0), at(-bx, by1, 0)};
    V3 sunk[4] = {at(-bx, by0, depth), at(bx, by0, depth), at(bx, by1, depth), at(-bx, by1, depth)};
    for (int k = 0; k < 4; k++)
        quad(m, outer[k], outer[(k + 1) % 4], inner[(k + 1) % 4], inner[k], frame);
    for (int k = 0; k < 4; k++) {
        if (!lidded && k == 2) continue; // the top wall of a side panel faces down
        quad(m, inner[k], inner[(k + 1) % 4], sunk[(k + 1) % 4], sunk[k], frame);
    }
    quad(m, sunk[0], sunk[1], sunk[2], sunk[3], panel);
}

} // namespace

Mesh modelProp() {
    const double h = 8.5, top = 17.1, bevel = 1.0, depth = 0.7;
    const double in = h - bevel;
    Mesh quarter;
    // The -y side: boards framed in wood, steel on the edges.
    recessedPanel(quarter, {0, -h, 0}, {1, 0, 0}, {0, 0, 1}, in, 0, top - bevel, 5.6, 2.0, 14.2,
                  depth, ramp(matWood),
                  mapped(patchCrateSide, {4.5, 0, 0}, 30, {0, 0, -4.5}, 14.2 * 4.5 + 2.5), false);
    quad(quarter, {-in, -h, top - bevel}, {in, -h, top - bevel}, {in, -in, top}, {-in, -in, top},
         ramp(matSteel));
    // The rounded steel edge toward +x, and the corner cap where it meets the top bevels.
    const double r = 0.70710678 * bevel;
    V3 p0{in, -h, 0}, p1{in + r, -in - r, 0}, p2{h, -in, 0};
    V3 n0{0, -1, 0}, n1{0.70710678, -0.70710678, 0}, n2{1, 0, 0};
    V3 up{0, 0, top - bevel};
    Paint steel = ramp(matSteel);
    triSmooth(quarter, p0, p1, p1 + up, n0, n1, n1, steel);
    triSmooth(quarter, p0, p1 + up, p0 + up, n0, n1, n0, steel);
    triSmooth(quarter, p1, p2, p2 + up, n1, n2, n2, steel);
    triSmooth(quarter, p1, p2 + up, p1 + up, n1, n2, n1, steel);
    V3 corner{in, -in, top};
    tri(quarter, p0 + up, p1 + up, corner, steel);
    tri(quarter, p1 + up, p2 + up, corner, steel);

    Mesh m;
    for (int k = 0; k < 4; k++) {
        Mesh side = quarter;
        rotateZ(side, 90.0 * k);
        append(m, side);
    }
    // The lid: a sunk board panel with a yellow grip block in its middle.
    recessedPanel(m, {0, 0, top}, {1, 0, 0}, {0, 1, 0}, in, -in, in, 5.8, -5.8, 5.8, depth,
                  ramp(matWood), mapped(patchCrateTop, {4.5, 0, 0}, 30, {0, 4.5, 0}, 30), true);
    box(m, {-1.8, -1.8, top - depth}, {1.8, 1.8, 17.5}, ramp(matHazard));
    return m;
}

Mesh modelEmitter() {
    // Octagonal rings from the foot up: a concrete plinth, the stack, a collar, the rim,
    // and the inside of the flue, cold at the rim and glowing at the bottom.
    auto ring = [](double r, double z) { return ringZ(8, r, r, z, 22.5); };
    Mesh m;
    loft(m, {ring(5.5, 0), ring(3.4, 2.5)}, true, false, ramp(matConcrete));
    loft(m, {ring(3.4, 2.5), ring(2.9, 12.5)}, true, true, ramp(matRust));
    loft(m, {ring(3.5, 12.5), ring(3.5, 14.4)}, true, true, ramp(matDarkMetal));
    loft(m, {ring(3.5, 14.4), ring(2.6, 15)}, true, false, ramp(matSoot));
    loft(m, {ring(2.6, 15), ring(2.6, 0.5)}, true, true, heatRamp(15, 3));
    return m;
}
