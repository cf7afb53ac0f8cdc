// Reading back what a GL test drew: the colour at a point of the current modelview, taken
// from the frame not yet swapped.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

struct Pixel {
    int r, g, b;
    bool operator==(const Pixel &o) const { return r == o.r && g == o.g && b == o.b; }
};

inline Pixel pixelAt(double x, double y, double z) {
    double model[16], projection[16], wx, wy, wz;
    int viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    unsigned char p[3];
    glReadBuffer(GL_BACK);
    glReadPixels(int(wx), int(wy), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}
