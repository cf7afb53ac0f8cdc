// Thin wrappers over fixed-function OpenGL 1.1 in immediate mode: state set-up, the
// hand-built frustum, colour and matrices, and drawing of meshes, boxes, bars and triangles.
#include "video/video.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

int videoQuality = 1;

void videoInit() {
    boundAtlas = -1;
    GLuint texID = 0;
    glGenTextures(1, &texID);
    glBindTexture(GL_TEXTURE_2D, texID);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    // Every screen's frustum turns y over, so counter-clockwise model triangles reach the
    // window clockwise: those are the front faces.
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    videoSetQuality(1);
}

void videoSwapBuffers() { SDL_GL_SwapBuffers(); }

void videoClear(int r, int g, int b, int a) {
    glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void videoSetFrustum(float left, float right, float top, float bottom, float nearZ, float farZ) {
    // The standard frustum matrix with top given before bottom; the screens pass
    // top -9 and bottom 9, so y grows downward on the screen.
    float m[16] = {};
    m[0] = 2 * nearZ / (right - left);
    m[5] = 2 * nearZ / (top - bottom);
    m[8] = (right + left) / (right - left);
    m[9] = (top + bottom) / (top - bottom);
    m[10] = -(farZ + nearZ) / (farZ - nearZ);
    m[11] = -1;
    m[14] = -(2 * farZ * nearZ) / (farZ - nearZ);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMultMatrixf(m);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void videoSetQuality(int on) {
    videoQuality = on;
    GLenum mode = on == 0 ? GL_FASTEST : GL_NICEST;
    glHint(GL_LINE_SMOOTH_HINT, mode);
    glHint(GL_POLYGON_SMOOTH_HINT, mode);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, mode);
}

void videoSetColor(int r, int g, int b, int a) {
    glColor4ub(GLubyte(r), GLubyte(g), GLubyte(b), GLubyte(a));
    if (a != 255)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
}

void videoLoadIdentity() { glLoadIdentity(); }
void videoPushMatrix() { glPushMatrix(); }
void videoPopMatrix() { glPopMatrix(); }
void videoTranslate(float x, float y, float z) { glTranslatef(x, y, z); }
void videoScale(float x, float y, float z) { glScalef(x, y, z); }

void videoRotate(float ax, float ay, float az) {
    // A zero angle (either sign) adds no rotation at all.
    if (az != 0) glRotatef(az, 0, 0, 1);
    if (ay != 0) glRotatef(ay, 0, 1, 0);
    if (ax != 0) glRotatef(ax, 1, 0, 0);
}

void videoDrawMesh(const float *v, int triangles) {
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < triangles * 3; i++, v += 8) {
        glTexCoord2f(v[0], v[1]);
        glNormal3f(v[2], v[3], v[4]);
        glVertex3f(v[5], v[6], v[7]);
    }
    glEnd();
}

void videoDrawMeshFlat(const float *v, int triangles) {
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < triangles * 3; i++, v += 6) {
        glNormal3f(v[0], v[1], v[2]);
        glVertex3f(v[3], v[4], v[5]);
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);
}

static void unitSquare() {
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(-1, -1, 0);
    glVertex3f(1, -1, 0);
    glVertex3f(-1, 1, 0);
    glVertex3f(1, 1, 0);
    glEnd();
}

void videoDrawBox(float x, float y, float z, float w, float h) {
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glLoadIdentity();
    glTranslatef(x, y, z);
    glScalef(w * 0.5f, h * 0.5f, 1);
    unitSquare();
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}

void videoDrawBar(float w, float h) {
    // Drawn in the caller's frame; the scale stays on the caller's matrix.
    glDisable(GL_TEXTURE_2D);
    glScalef(w * 0.5f, h * 0.5f, 1);
    unitSquare();
    glEnable(GL_TEXTURE_2D);
}

void videoDrawTriangle(float x, float y, float z, float x1, float y1, float x2, float y2, float x3,
                       float y3, float w, float h) {
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glLoadIdentity();
    glTranslatef(x, y, z);
    glScalef(w * 0.5f, h * 0.5f, 1);
    glBegin(GL_TRIANGLES);
    glVertex3f(x1, y1, 0);
    glVertex3f(x2, y2, 0);
    glVertex3f(x3, y3, 0);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}

void videoPrepare(int) {}
