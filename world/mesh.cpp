// The model data. The two flat bands are built by the compiler from their radii, so the
// program carries plain constant vertex arrays.
#include "world/mesh.h"

namespace {

constexpr double meshPi = 3.14159265358979323846;

// sin and cos for the compiler's own use (the library's are not constant expressions);
// the angle is within [-pi, pi], where 30 terms of the series are exact to double precision.
constexpr double meshSin(double a) {
    double term = a, sum = a;
    for (int n = 1; n < 30; n++) {
        term *= -a * a / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

constexpr double meshCos(double a) {
    double term = 1, sum = 1;
    for (int n = 1; n < 30; n++) {
        term *= -a * a / ((2 * n - 1) * (2 * n));
        sum += term;
    }
    return sum;
}

constexpr int bandSegments = 30;
constexpr double bandHeight = 10;

// A flat band of 30 segments, two triangles each, wound counter-clockwise seen from +z.
constexpr std::array<float, bandSegments * 2 * 3 * meshFlatVertexFloats> meshBand(double inner,
                                                                                  double outer) {
    std::array<float, bandSegments * 2 * 3 * meshFlatVertexFloats> v{};
    int at = 0;
    auto put = [&](double radius, int step) {
        // Reduce the angle to [-pi, pi] for the series; step 30 is the start again, so the
        // band closes exactly.
        double a = 2 * meshPi * (step % bandSegments) / bandSegments;
        if (a > meshPi) a -= 2 * meshPi;
        const double values[meshFlatVertexFloats] = {
            0, 0, 1, radius * meshCos(a), radius * meshSin(a), bandHeight};
        for (double value : values)
            v[at++] = float(value);
    };
    for (int s = 0; s < bandSegments; s++) {
        put(inner, s);
        put(outer, s);
        put(outer, s + 1);
        put(inner, s);
        put(outer, s + 1);
        put(inner, s + 1);
    }
    return v;
}

} // namespace

constexpr MeshFlat<meshRingTriangles> meshRing = meshBand(8.4, 10);
constexpr MeshFlat<meshMarkerTriangles> meshMarker = meshBand(9.1, 10.9);
static_assert(meshRingTriangles == bandSegments * 2 && meshMarkerTriangles == bandSegments * 2);
