// The two unit types, nose toward -y (the scene turns a unit by -heading - 180 degrees,
// which points model -y along its heading). The fighter is a pointed hover gunship with
// twin cannons, swept wings, missiles and tall twin fins; the collector is a tracked
// hauler with a cab, a flat bed with a winch, and a yellow two-pronged claw in front.
// Both keep within radius 7.9 of their centre, inside the ring drawn round them (8.4).
#include "models.h"

#include <algorithm>
#include <cmath>

#include "gamelayout.h"

namespace {

// A cross-section of the fighter's hull at y: half width w, bottom, waist and top heights;
// counter-clockwise seen from the nose.
std::vector<V3> hullSection(double y, double w, double zb, double zm, double zt) {
    return {{w, y, zm},
            {0.72 * w, y, zt - 0.3 * (zt - zm)},
            {0.42 * w, y, zt},
            {-0.42 * w, y, zt},
            {-0.72 * w, y, zt - 0.3 * (zt - zm)},
            {-w, y, zm},
            {-0.55 * w, y, zb},
            {0.55 * w, y, zb}};
}

std::vector<V3> point(int n, V3 p) {
    return std::vector<V3>(size_t(n), p);
}

// A ring round an axis, counter-clockwise seen from the way the axis points, so that a loft
// of rings advancing that way faces outward.
std::vector<V3> ringAlong(int n, V3 centre, V3 along, double r, double startDegrees = 0) {
    along = normalize(along);
    V3 u = normalize(cross({0, 0, 1}, along));
    return ringAbout(n, centre, u, cross(along, u), r, startDegrees);
}

std::vector<V3> ringY(int n, V3 centre, double r, double startDegrees = 0) {
    return ringAlong(n, centre, {0, -1, 0}, r, startDegrees);
}

// Moves the last count triangles made.
void translateLast(Mesh &m, size_t count, V3 by) {
    Mesh tail(m.end() - long(count), m.end());
    m.erase(m.end() - long(count), m.end());
    translate(tail, by);
    append(m, tail);
}

// A cannon along -y: its housing, a cone down to the barrel, the barrel and its bore.
void cannon(Mesh &m, double x, double z) {
    const int n = 6;
    Paint metal = ramp(matDarkMetal), steel = ramp(matSteel);
    std::vector<V3> rear = ringY(n, {x, 2.6, z}, 0.7, 30);
    loft(m, {rear, ringY(n, {x, -2.0, z}, 0.7, 30)}, true, true, metal);
    loft(m, {ringY(n, {x, -2.0, z}, 0.7, 30), ringY(n, {x, -2.7, z}, 0.3, 30)}, true, true, metal);
    loft(m, {ringY(n, {x, -2.7, z}, 0.3, 30), ringY(n, {x, -6.2, z}, 0.3, 30)}, true, true, steel);
    std::vector<V3> muzzle = ringY(n, {x, -6.2, z}, 0.3, 30);
    polygon(m, muzzle, ramp(matSoot));
    polygon(m, std::vector<V3>(rear.rbegin(), rear.rend()), metal);
}

// A missile along -y lying on a wing: a diamond body, a red nose and a flat back.
void missile(Mesh &m, double x, double z) {
    const double r = 0.42;
    std::vector<V3> back = ringY(4, {x, 3.0, z}, r);
    std::vector<V3> front = ringY(4, {x, -0.4, z}, r);
    loft(m, {back, front}, true, false, ramp(matHullGrey));
    loft(m, {front, point(4, {x, -1.5, z})}, true, false, ramp(matRed));
    polygon(m, std::vector<V3>(back.rbegin(), back.rend()), ramp(matDarkMetal));
}

// The right wing (the left is its mirror): a thin swept wedge with a red tip.
void wing(Mesh &m) {
    V3 rootLe{2.2, -1.6, 3.2}, rootTe{2.2, 3.6, 3.2}, tipLe{7.0, 1.9, 2.75}, tipTe{7.0, 3.5, 2.75};
    V3 rootLeLow{2.2, -1.0, 2.5}, tipLeLow{7.0, 2.2, 2.45}, rootTeLow{2.2, 3.6, 2.5},
        tipTeLow{7.0, 3.5, 2.45};
    const double split = (5.6 - 2.2) / (7.0 - 2.2);
    V3 midLe = lerp(rootLe, tipLe, split), midTe = lerp(rootTe, tipTe, split);
    V3 inside{4.0, 2.0, 2.8};
    quadAway(m, rootLe, midLe, midTe, rootTe, inside, ramp(matHull));
    quadAway(m, midLe, tipLe, tipTe, midTe, inside, ramp(matRed));
    quadAway(m, rootLeLow, tipLeLow, tipLe, rootLe, inside, ramp(matHullGrey));
    quadAway(m, rootTeLow, rootTe, tipTe, tipTeLow, inside, ramp(matDarkMetal));
    quadAway(m, tipLeLow, tipTeLow, tipTe, tipLe, inside, ramp(matRed));
}

// The right tail fin, canted outward, with a red tip band on its outer side.
void fin(Mesh &m) {
    const double t = 0.18;
    V3 rootLe{1.1, 2.0, 4.8}, rootTe{1.1, 5.3, 4.3}, tipLe{2.6, 5.3, 11.6}, tipTe{2.8, 6.2, 11.2};
    V3 out = normalize(cross(tipLe - rootLe, rootTe - rootLe)) * t;
    if (out.x < 0) out = out * -1;
    V3 inside = (rootLe + rootTe + tipLe + tipTe) * 0.25;
    const double band = 0.72;
    V3 le = lerp(rootLe, tipLe, band), te = lerp(rootTe, tipTe, band);
    quadAway(m, rootLe + out, rootTe + out, te + out, le + out, inside, ramp(matHull));
    quadAway(m, le + out, te + out, tipTe + out, tipLe + out, inside, ramp(matRed));
    quadAway(m, rootLe - out, rootTe - out, tipTe - out, tipLe - out, inside, ramp(matHullGrey));
    quadAway(m, rootLe - out, rootLe + out, tipLe + out, tipLe - out, inside, ramp(matHullGrey));
    quadAway(m, rootTe - out, rootTe + out, tipTe + out, tipTe - out, inside, ramp(matDarkMetal));
    quadAway(m, tipLe - out, tipLe + out, tipTe + out, tipTe - out, inside, ramp(matRed));
}

// An engine nozzle along +y with its glow.
void nozzle(Mesh &m, double x, double z) {
    const int n = 6;
    // Counter-clockwise seen from +y, the way these rings advance.
    auto ring = [&](double y, double r) { return ringAlong(n, {x, y, z}, {0, 1, 0}, r, 30); };
    loft(m, {ring(5.2, 0.85), ring(6.4, 0.72)}, true, true, ramp(matDarkMetal));
    polygon(m, ring(6.4, 0.72), ramp(matEngine));
}

} // namespace

Mesh modelUnit1() {
    Mesh m;
    // Hull: sections from the tail to the red nose.
    std::vector<std::vector<V3>> hull = {
        hullSection(5.4, 2.1, 1.8, 3.0, 4.4), hullSection(3.0, 2.7, 1.3, 2.9, 5.0),
        hullSection(0.0, 2.6, 1.2, 2.8, 5.1), hullSection(-3.2, 1.9, 1.4, 2.7, 4.4),
        hullSection(-5.6, 1.0, 1.8, 2.5, 3.4)};
    loft(m, hull, true, true, ramp(matHull));
    loft(m, {hull.back(), point(8, {0, -7.4, 2.4})}, true, true, ramp(matRed));
    polygon(m, std::vector<V3>(hull.front().rbegin(), hull.front().rend()), ramp(matDarkMetal));
    // Canopy: arches over the hull's flat top, closing to a point at both ends.
    auto arch = [](double y, double w, double z, double h) {
        return std::vector<V3>{{w, y, z},
                               {0.66 * w, y, z + 0.72 * h},
                               {0, y, z + h},
                               {-0.66 * w, y, z + 0.72 * h},
                               {-w, y, z}};
    };
    loft(m,
         {point(5, {0, 1.8, 4.99}), arch(0.8, 0.9, 5.02, 1.0), arch(-0.8, 1.05, 4.87, 1.3),
          arch(-2.4, 0.85, 4.52, 0.9), point(5, {0, -3.6, 4.18})},
         false, true, ramp(matGlass));
    // Wings, cannons, missiles and fins in pairs.
    Mesh right;
    wing(right);
    cannon(right, 4.0, 2.2);
    missile(right, 5.0, 3.3);
    fin(right);
    nozzle(right, 1.1, 3.0);
    append(m, right);
    append(m, mirroredX(right));
    // A dorsal blade between the fins.
    V3 bladeFoot0{0, 1.6, 5.0}, bladeFoot1{0, 4.6, 4.6}, bladeTip{0, 4.2, 6.6};
    const double bt = 0.12;
    V3 inside{0, 3.4, 5.2};
    triAway(m, bladeFoot0 + V3{bt, 0, 0}, bladeFoot1 + V3{bt, 0, 0}, bladeTip + V3{bt, 0, 0},
            inside, ramp(matDarkMetal));
    triAway(m, bladeFoot0 - V3{bt, 0, 0}, bladeFoot1 - V3{bt, 0, 0}, bladeTip - V3{bt, 0, 0},
            inside, ramp(matDarkMetal));
    quadAway(m, bladeFoot0 - V3{bt, 0, 0}, bladeFoot0 + V3{bt, 0, 0}, bladeTip + V3{bt, 0, 0},
             bladeTip - V3{bt, 0, 0}, inside, ramp(matRed));
    quadAway(m, bladeFoot1 - V3{bt, 0, 0}, bladeFoot1 + V3{bt, 0, 0}, bladeTip + V3{bt, 0, 0},
             bladeTip - V3{bt, 0, 0}, inside, ramp(matDarkMetal));
    return m;
}

namespace {

// The right track (the left is its mirror): a belt round two sprockets, its top run in
// alternating plates, and two hubs on its outer side.
void track(Mesh &m) {
    const double xIn = 3.9, xOut = 5.9, r = 2.1, cy = 2.9, cz = 1.1;
    const double pi = 3.14159265358979323846;
    std::vector<std::pair<double, double>> profile; // (y, z), round the belt
    for (int i = 0; i <= 4; i++) {                  // front sprocket, top to bottom
        double a = (90 + 45 * i) * pi / 180;
        profile.push_back({-cy + r * std::cos(a), cz + r * std::sin(a)});
    }
    for (int i = 0; i <= 4; i++) { // rear sprocket, bottom to top
        double a = (270 + 45 * i) * pi / 180;
        profile.push_back({cy + r * std::cos(a), cz + r * std::sin(a)});
    }
    for (int i = 1; i <= 3; i++) // the top run back to the front
        profile.push_back({cy - 2 * cy * i / 4, cz + r});
    V3 inside{(xIn + xOut) / 2, 0, cz};
    size_t n = profile.size();
    int plate = 0;
    for (size_t i = 0; i < n; i++) {
        auto [y0, z0] = profile[i];
        auto [y1, z1] = profile[(i + 1) % n];
        if (i == 4) continue; // the bottom run lies on the ground
        bool topRun = z0 > cz + r - 1e-9 && z1 > cz + r - 1e-9;
        Paint p = ramp(topRun && (plate++ % 2) ? matDarkMetal : matRubber);
        quadAway(m, {xIn, y0, z0}, {xIn, y1, z1}, {xOut, y1, z1}, {xOut, y0, z0}, inside, p);
    }
    std::vector<V3> outer;
    for (auto [y, z] : profile)
        outer.push_back({xOut, y, z});
    // Counter-clockwise seen from +x.
    V3 nrm = cross(outer[1] - outer[0], outer[2] - outer[0]);
    if (nrm.x < 0) std::reverse(outer.begin(), outer.end());
    polygon(m, outer, ramp(matDarkMetal));
    std::vector<V3> innerSide;
    for (auto [y, z] : profile)
        innerSide.push_back({xIn, y, z});
    nrm = cross(innerSide[1] - innerSide[0], innerSide[2] - innerSide[0]);
    if (nrm.x > 0) std::reverse(innerSide.begin(), innerSide.end());
    polygon(m, innerSide, ramp(matDarkMetal));
    // Hubs: raised hexagons on the outer side.
    for (double y : {-cy, cy}) {
        V3 c{xOut, y, cz};
        std::vector<V3> face = ringAbout(8, c + V3{0.35, 0, 0}, {0, 1, 0}, {0, 0, 1}, 1.15, 22.5);
        std::vector<V3> foot = ringAbout(8, c, {0, 1, 0}, {0, 0, 1}, 1.3, 22.5);
        for (size_t i = 0; i < 8; i++)
            quadAway(m, foot[i], foot[(i + 1) % 8], face[(i + 1) % 8], face[i], c, ramp(matSteel));
        polygon(m, face, ramp(matHazard));
    }
}

// A hydraulic ram from the hull to the claw: a square rod.
void ram(Mesh &m, V3 from, V3 to, double r) {
    loft(m, {ringAlong(4, from, to - from, r, 45), ringAlong(4, to, to - from, r, 45)}, true, false,
         ramp(matSteel));
}

} // namespace

Mesh modelUnit2() {
    Mesh m;
    Mesh right;
    track(right);
    append(m, right);
    append(m, mirroredX(right));
    // The hull between the tracks: its sloped front plate, its rear and its deck.
    quadAway(m, {-3.9, -4.6, 0.6}, {3.9, -4.6, 0.6}, {3.9, -3.9, 2.9}, {-3.9, -3.9, 2.9}, {0, 0, 1},
             ramp(matHullGrey));
    quadAway(m, {-3.9, 4.9, 0.4}, {3.9, 4.9, 0.4}, {3.9, 4.9, 2.9}, {-3.9, 4.9, 2.9}, {0, 0, 1},
             ramp(matDarkMetal));
    quad(m, {-3.9, -3.9, 2.9}, {3.9, -3.9, 2.9}, {3.9, 4.9, 2.9}, {-3.9, 4.9, 2.9},
         ramp(matHullGrey));
    // The cab: a sloped windscreen, glass down both sides, a yellow roof with a light bar
    // (collectors read as yellow from above, fighters as white), and two headlamps.
    const double cx = 3.2, front = -4.3, back = -0.8, base = 2.9, roof = 7.6, sill = 5.4;
    const double screenFoot = 5.2, screenTop = -3.1;
    V3 cabInside{0, -2.5, 5};
    quadAway(m, {-cx, front, base}, {cx, front, base}, {cx, front, screenFoot},
             {-cx, front, screenFoot}, cabInside, ramp(matHull));
    quadAway(m, {-cx, front, screenFoot}, {cx, front, screenFoot}, {cx, screenTop, roof},
             {-cx, screenTop, roof}, cabInside, ramp(matGlass));
    quadAway(m, {-cx, screenTop, roof}, {cx, screenTop, roof}, {cx, back, roof}, {-cx, back, roof},
             cabInside, ramp(matHazard));
    quadAway(m, {-cx, back, base}, {cx, back, base}, {cx, back, roof}, {-cx, back, roof}, cabInside,
             ramp(matHullGrey));
    double sillY = front + (screenTop - front) * (sill - screenFoot) / (roof - screenFoot);
    for (double x : {-cx, cx}) {
        std::vector<V3> lower = {{x, front, base},
                                 {x, back, base},
                                 {x, back, sill},
                                 {x, sillY, sill},
                                 {x, front, screenFoot}};
        std::vector<V3> upper = {
            {x, sillY, sill}, {x, back, sill}, {x, back, roof}, {x, screenTop, roof}};
        if (x < 0) {
            std::reverse(lower.begin(), lower.end());
            std::reverse(upper.begin(), upper.end());
        }
        polygon(m, lower, ramp(matHull));
        polygon(m, upper, ramp(matGlass));
    }
    box(m, {-1.2, -2.7, roof}, {1.2, -2.1, roof + 0.4}, ramp(matEngine));
    for (double x : {-2.3, 2.3})
        box(m, {x - 0.5, front - 0.3, 3.6}, {x + 0.5, front, 4.4}, ramp(matLamp), "+y");
    // The bed: a steel slab with side rails, a yellow tailgate and a winch at its front.
    box(m, {-3.6, back, 2.6}, {3.6, 6.3, 3.4}, ramp(matSteel), "-y");
    for (double x : {-3.3, 3.3})
        box(m, {x - 0.3, -0.6, 3.4}, {x + 0.3, 6.1, 4.5}, ramp(matHull));
    box(m, {-3.0, 5.5, 3.4}, {3.0, 6.1, 4.3}, ramp(matHazard), "-x+x");
    std::vector<V3> winchLeft = ringAlong(8, {-2.4, 0.5, 4.3}, {1, 0, 0}, 0.8, 22.5);
    std::vector<V3> winchRight = ringAlong(8, {2.4, 0.5, 4.3}, {1, 0, 0}, 0.8, 22.5);
    loft(m, {winchLeft, winchRight}, true, true, ramp(matDarkMetal));
    polygon(m, winchRight, ramp(matHazard));
    polygon(m, std::vector<V3>(winchLeft.rbegin(), winchLeft.rend()), ramp(matHazard));
    // The claw: two yellow prongs closing toward each other, a cross beam and two rams.
    for (double side : {-1.0, 1.0}) {
        V3 root{2.0 * side, -4.2, 1.8}, elbow{2.1 * side, -6.2, 1.5}, tip{0.9 * side, -7.3, 1.3};
        loft(m,
             {ringAlong(4, root, elbow - root, 0.45, 45),
              ringAlong(4, elbow, normalize(elbow - root) + normalize(tip - elbow), 0.45, 45),
              point(4, tip)},
             true, false, ramp(matHazard));
        ram(m, {1.3 * side, front, 4.4}, {1.95 * side, -5.7, 2.0}, 0.22);
    }
    box(m, {-2.2, -4.9, 1.5}, {2.2, -4.3, 2.1}, ramp(matDarkMetal), "-x+x");
    // The exhaust stack beside the cab.
    std::vector<V3> stackTop = ringZ(8, 0.35, 0.35, 8.0);
    loft(m, {ringZ(8, 0.35, 0.35, 2.9), stackTop}, true, true, ramp(matDarkMetal));
    polygon(m, stackTop, ramp(matSoot));
    translateLast(m, 16 + 6, {3.55, -1.6, 0});
    return m;
}
