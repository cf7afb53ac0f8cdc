// The OpenGL layer in a real context: frustum, blending, matrices, shapes, clear, culling
// and the quality hints, read back from GL.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "core/main.h"
#include "video/video.h"

int rotations = 0; // every rotation passes through here on its way to GL, counted
extern "C" void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    rotations++;
    reinterpret_cast<decltype(&glRotatef)>(dlsym(RTLD_NEXT, "glRotatef"))(angle, x, y, z);
}

namespace {

constexpr int width = 320, height = 180;

class VideoLayer : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        ASSERT_NE(SDL_SetVideoMode(width, height, 32, SDL_OPENGL), nullptr);
        mainGlSetup(width, height);
        videoInit();
        // A black texel in the texture: whatever is drawn textured comes out black.
        const GLubyte black[4] = {0, 0, 0, 255};
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, black);
    }
    static void TearDownTestSuite() { SDL_Quit(); }
    void SetUp() override {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
};

void modelview(float m[16]) { glGetFloatv(GL_MODELVIEW_MATRIX, m); }

// The colour of the pixel at window coordinates (x, y), y from the bottom.
void pixel(int x, int y, GLubyte out[4]) {
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, out);
}

TEST_F(VideoLayer, FrustumEntries) {
    videoTranslate(1, 2, 3);
    videoSetFrustum(-16, 16, -9, 9, 0.1f, 3000);
    float m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_FLOAT_EQ(m[0], 0.00625f);
    EXPECT_FLOAT_EQ(m[5], -1.0f / 90.0f);
    EXPECT_FLOAT_EQ(m[8], 0);
    EXPECT_FLOAT_EQ(m[9], 0);
    EXPECT_FLOAT_EQ(m[10], -3000.1f / 2999.9f);
    EXPECT_FLOAT_EQ(m[14], -600.0f / 2999.9f);
    EXPECT_FLOAT_EQ(m[11], -1);
    for (int i : {1, 2, 3, 4, 6, 7, 12, 13, 15}) EXPECT_EQ(m[i], 0) << "entry " << i;
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    modelview(m);
    for (int i = 0; i < 16; i++) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f);
    videoSetFrustum(-10, 30, -5, 15, 1, 100); // off centre, top given third
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_FLOAT_EQ(m[8], 0.5f);
    EXPECT_FLOAT_EQ(m[9], -0.5f);
}

TEST_F(VideoLayer, BlendingFollowsAlpha) {
    EXPECT_TRUE(glIsEnabled(GL_BLEND)); // the set-up leaves it on
    videoSetColor(10, 20, 30, 255);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    videoSetColor(10, 20, 30, 254);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    float c[4];
    glGetFloatv(GL_CURRENT_COLOR, c);
    EXPECT_NEAR(c[0], 10 / 255.0f, 1e-6);
    EXPECT_NEAR(c[2], 30 / 255.0f, 1e-6);
    EXPECT_NEAR(c[3], 254 / 255.0f, 1e-6);
    videoSetColor(10, 20, 30, 0);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    videoSetColor(10, 20, 30, 255);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(VideoLayer, RotateSkipsZeroAngles) {
    float after[16];
    rotations = 0;
    videoRotate(0, 0, 0);
    videoRotate(-0.0f, 0, -0.0f);
    EXPECT_EQ(rotations, 0) << "a zero angle, of either sign, makes no rotation at all";

    // (0, 90, 0) is one rotation about y: x goes to -z, z to x.
    videoRotate(0, 90, 0);
    EXPECT_EQ(rotations, 1);
    modelview(after);
    EXPECT_NEAR(after[0], 0, 1e-6);
    EXPECT_NEAR(after[2], -1, 1e-6);
    EXPECT_NEAR(after[5], 1, 1e-6);
    EXPECT_NEAR(after[8], 1, 1e-6);

    // Order: z first on the matrix, so a vertex turns about x, then y, then z.
    float expect[16];
    glLoadIdentity();
    glRotatef(-30, 0, 0, 1);
    glRotatef(-20, 0, 1, 0);
    glRotatef(-10, 1, 0, 0);
    modelview(expect);
    glLoadIdentity();
    videoRotate(-10, -20, -30);
    modelview(after);
    for (int i = 0; i < 16; i++) EXPECT_NEAR(after[i], expect[i], 1e-6);
}

TEST_F(VideoLayer, BarScaleStaysOnTheMatrix) {
    videoDrawBar(4, 2);
    float m[16];
    modelview(m);
    EXPECT_FLOAT_EQ(m[0], 2);
    EXPECT_FLOAT_EQ(m[5], 1);
    videoDrawBar(4, 2);
    modelview(m);
    EXPECT_FLOAT_EQ(m[0], 4); // the second bar is 8 by 2 in the caller's frame
    EXPECT_FLOAT_EQ(m[5], 1);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(VideoLayer, ShapesLeaveTexturingOnAndMatrixUnchanged) {
    float before[16], after[16];
    videoTranslate(5, 6, 7);
    modelview(before);
    videoDrawBox(0, 0, -1, 1, 1);
    videoDrawTriangle(0, 0, -1, -1, 0, 1, 1, 1, -1, 2, 2);
    static const float tri[] = {0, 0, 1, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 1, 0};
    videoDrawMeshFlat(tri, 1);
    modelview(after);
    for (int i = 0; i < 16; i++) EXPECT_EQ(before[i], after[i]);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    // A textured vertex is u, v, normal, position: the last one's stay current.
    static const float uvTri[] = {0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 1, 1, 0, -1,
                                  0.25f, 0.75f, 0.1f, 0.2f, 0.3f, 0, 1, -1};
    videoDrawMesh(uvTri, 1);
    float t[4], n[3];
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, t);
    glGetFloatv(GL_CURRENT_NORMAL, n);
    EXPECT_FLOAT_EQ(t[0] + 10 * t[1] + 100 * n[2], 0.25f + 7.5f + 30);
}

TEST_F(VideoLayer, BoxIgnoresTheCallersTranslation) {
    videoClear(0, 0, 0, 255);
    videoSetFrustum(-16, 16, -9, 9, 0.1f, 3000);
    videoSetColor(255, 255, 255, 255);
    videoPushMatrix();
    videoTranslate(-100, 50, 0);
    // At z -0.5 the view spans x -80..80 and y -45..45 (y downward): 8 by 4 units
    // centred right of and above the middle.
    videoDrawBox(20, -10, -0.5f, 8, 4);
    videoPopMatrix();
    GLubyte p[4];
    // Centre x 20 of 80 is 62.5 % across; y -10 of 45 is 61 % up from the bottom.
    pixel(int(width * 0.625f), int(height * (0.5f + 10.0f / 90.0f)), p);
    EXPECT_EQ(p[0], 255);
    EXPECT_EQ(p[1], 255);
    pixel(int(width * (0.5f + 26.0f / 160.0f)), int(height * (0.5f + 10.0f / 90.0f)), p);
    EXPECT_EQ(p[0], 0) << "the box ends at x 24";
    pixel(width / 2 - 20, height / 2 - 20, p);
    EXPECT_EQ(p[0], 0);
    // The triangle (-1, -1), (1, -1), (-1, 1) at (-20, 10), 8 by 4: its corners are
    // (-24, 8), (-16, 8) and (-24, 12), also whatever the caller's matrix.
    videoPushMatrix();
    videoTranslate(-100, 50, 0);
    videoDrawTriangle(-20, 10, -0.5f, -1, -1, 1, -1, -1, 1, 8, 4);
    videoPopMatrix();
    pixel(int(width * (0.5f - 23.0f / 160.0f)), int(height * (0.5f - 9.0f / 90.0f)), p);
    EXPECT_EQ(p[0], 255) << "inside the triangle";
    pixel(int(width * (0.5f - 25.0f / 160.0f)), int(height * (0.5f - 9.0f / 90.0f)), p);
    EXPECT_EQ(p[0], 0) << "left of the triangle";
}

TEST_F(VideoLayer, ClearColourAndDepth) {
    glClearDepth(0.25);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    videoClear(7, 65, 114, 255);
    float c[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, c);
    EXPECT_FLOAT_EQ(c[0], 7 / 255.0f);
    EXPECT_FLOAT_EQ(c[1], 65 / 255.0f);
    EXPECT_FLOAT_EQ(c[2], 114 / 255.0f);
    EXPECT_FLOAT_EQ(c[3], 1);
    GLubyte p[4];
    pixel(10, 10, p);
    EXPECT_EQ(p[0], 7);
    EXPECT_EQ(p[1], 65);
    EXPECT_EQ(p[2], 114);
    float depth = 0;
    glReadPixels(10, 10, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
    videoClear(1, 2, 3, 51);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, c);
    EXPECT_FLOAT_EQ(c[3], 0.2f);
}

TEST_F(VideoLayer, CullingAndDepth) {
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint v;
    glGetIntegerv(GL_CULL_FACE_MODE, &v);
    EXPECT_EQ(v, GL_BACK);
    glGetIntegerv(GL_FRONT_FACE, &v);
    EXPECT_EQ(v, GL_CW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    glGetIntegerv(GL_DEPTH_FUNC, &v);
    EXPECT_EQ(v, GL_LEQUAL);
    GLint tex = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &tex);
    EXPECT_NE(tex, 0);
    EXPECT_EQ(boundAtlas, -1);
}

// A counter-clockwise model triangle, seen from its normal's side, faces the camera
// through the y-flipping frustum and is drawn; turned over, it is culled.
TEST_F(VideoLayer, CounterClockwiseModelsShow) {
    static const float ccw[] = {0, 0, 1, -1, -1, 0, 0, 0, 1, 1, -1, 0, 0, 0, 1, 0, 1, 0};
    static const float cw[] = {0, 0, 1, -1, -1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 1, -1, 0};
    for (int turn = 0; turn < 2; turn++) {
        videoClear(0, 0, 0, 255);
        videoSetFrustum(-16, 16, -9, 9, 0.1f, 3000);
        videoSetColor(0, 255, 0, 255);
        videoTranslate(0, 0, -1);
        videoScale(20, 20, 1);
        videoDrawMeshFlat(turn == 0 ? ccw : cw, 1);
        GLubyte p[4];
        pixel(width / 2, height / 2, p);
        EXPECT_EQ(p[1], turn == 0 ? 255 : 0) << (turn == 0 ? "counter-clockwise" : "clockwise");
    }
}

TEST_F(VideoLayer, QualityHints) {
    struct Case {
        int quality;
        GLint hint;
    };
    boundAtlas = 1;
    videoInit(); // forgets the atlas
    EXPECT_EQ(boundAtlas, -1);
    for (Case c : {Case{0, GL_FASTEST}, Case{1, GL_NICEST}, Case{2, GL_NICEST}}) {
        videoSetQuality(c.quality);
        EXPECT_EQ(videoQuality, c.quality);
        for (GLenum h : {GL_LINE_SMOOTH_HINT, GL_POLYGON_SMOOTH_HINT, GL_PERSPECTIVE_CORRECTION_HINT}) {
            GLint v;
            glGetIntegerv(h, &v);
            EXPECT_EQ(v, c.hint) << "quality " << c.quality << " hint " << h;
        }
    }
    videoSetQuality(1);
}

} // namespace
