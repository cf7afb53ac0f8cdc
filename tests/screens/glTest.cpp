// The real frame drawing in a window: per-state clear colour, near plane and atlas read
// back from OpenGL, and pixels of the background, a highlight bar and the lobby's arrows.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>
#include <cstdlib>
#include <unistd.h>

#include "core/main.h"
#include "core/state.h"
#include "video/video.h"
#include "../glpixel.h"

namespace {

class ScreensGl : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // The atlases load from gfx/ in the working directory.
        if (const char *source = getenv("COGMIRE_SOURCE")) {
            ASSERT_EQ(chdir(source), 0);
        }
        ASSERT_EQ(mainStartup(), 0);
    }
    void drawAt(int state, float scrollX, float scrollY) {
        screenState = state;
        menuScrollX = scrollX;
        menuScrollY = scrollY;
        stateDraw();
        // The 2-D elements and the rings are placed from the identity modelview.
        glLoadIdentity();
    }
};

TEST_F(ScreensGl, ClearNearPlaneAndAtlasPerState) {
    for (int state = 0; state < 24; state++) {
        SCOPED_TRACE(state);
        drawAt(state, 0, 0);
        float clear[4], m[16];
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
        glGetFloatv(GL_PROJECTION_MATRIX, m);
        // For a frustum, m[14] / (m[10] - 1) is the near plane.
        const float nearZ = m[14] / (m[10] - 1);
        if (state == 23) {
            EXPECT_NEAR(clear[0], 7 / 255.0, 1e-6);
            EXPECT_NEAR(clear[1], 65 / 255.0, 1e-6);
            EXPECT_NEAR(clear[2], 114 / 255.0, 1e-6);
            EXPECT_NEAR(nearZ, 20, 1e-3);
        } else {
            EXPECT_EQ(clear[0] + clear[1] + clear[2], 0);
            EXPECT_NEAR(nearZ, 0.1, 1e-5);
        }
        EXPECT_EQ(clear[3], 1);
        EXPECT_NEAR(m[0], 2 * nearZ / 32, 1e-6); // x spans -16 to 16 at the near plane
        EXPECT_EQ(boundAtlas, state <= 4 ? 0 : state == 23 ? 2 : 1);
    }
}

TEST_F(ScreensGl, SplashIsBlackBeforeItsScroll) {
    drawAt(0, 0, 0);
    int w = windowWidth, h = windowHeight;
    std::vector<unsigned char> frame(size_t(w) * h * 3);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
    for (unsigned char c : frame)
        ASSERT_EQ(c, 0);
}

TEST_F(ScreensGl, MainMenuBarOverTheRings) {
    menuBackgroundScale = 9;
    menuMainCursor = 0;
    drawAt(6, 1100, 0);
    // The half-transparent bar, right of the text, over black.
    Pixel bar = pixelAt(60, 0, -0.55);
    EXPECT_NEAR(bar.r, 101, 3);
    EXPECT_NEAR(bar.g, 83, 3);
    EXPECT_NEAR(bar.b, 30, 3);
    // The nearest ring (48) lies at eye z -1 with radius 8.4 to 10 times the scale.
    Pixel ring = pixelAt(0, 9.2 * 9, -1);
    EXPECT_EQ(ring.r, 48);
    EXPECT_EQ(ring.g, 48);
    EXPECT_EQ(ring.b, 48);
    // Farther layers look smaller: between layer 1 (16) and layer 2 (32) lies black.
    Pixel gap = pixelAt(0, 0.63 * 90, -1);
    EXPECT_EQ(gap.r + gap.g + gap.b, 0);
    menuBackgroundScale = 38;
}

TEST_F(ScreensGl, LobbyShowsBothArrows) {
    drawAt(17, 1640, 0);
    for (double side : {-1.0, 1.0}) {
        SCOPED_TRACE(side);
        // A point inside each arrow, toward its wide end.
        Pixel p = pixelAt(side * 38, 10, -0.53);
        EXPECT_NEAR(p.r, 254, 3);
        EXPECT_NEAR(p.g, 206, 3);
        EXPECT_NEAR(p.b, 60, 3);
    }
}

} // namespace
