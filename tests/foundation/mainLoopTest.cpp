// The real start-up and frame loop in a private X server: the random seed, Escape, the
// window's close, resizing, a video mode that fails, and the button mask read from SDL's keys.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <ctime>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "core/input.h"
#include "core/main.h"
#include "core/state.h"
#include "video/video.h"
#include "world/random.h"

// Every buffer swap passes through here on its way to SDL, noting a pixel of what it shows.
GLubyte presented[4];
extern "C" void SDL_GL_SwapBuffers() {
    glReadPixels(5, 5, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, presented);
    reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"))();
}

// Every video mode passes through here too; while failVideoMode is set none can be had.
bool failVideoMode = false;
extern "C" SDL_Surface *SDL_SetVideoMode(int w, int h, int bpp, Uint32 flags) {
    if (failVideoMode) return SDL_SetError("no such mode"), nullptr;
    void *real = dlsym(RTLD_NEXT, "SDL_SetVideoMode");
    return reinterpret_cast<decltype(&SDL_SetVideoMode)>(real)(w, h, bpp, flags);
}

namespace {

// SDL's own key-state array: writing it stands in for keys held on a real keyboard.
Uint8 *keys() { return SDL_GetKeyState(nullptr); }

void releaseAll() {
    int count = 0;
    Uint8 *k = SDL_GetKeyState(&count);
    for (int i = 0; i < count; i++) k[i] = 0;
}

time_t clockBefore; // the clock just before start-up

class MainLoop : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (const char *src = getenv("COGMIRE_SOURCE")) {
            ASSERT_EQ(chdir(src), 0);
        }
        clockBefore = time(nullptr);
        ASSERT_EQ(mainStartup(), 0);
    }
    void SetUp() override { releaseAll(); }
};

TEST_F(MainLoop, StartsWithTheWindowAndGlState) {
    const SDL_Surface *s = SDL_GetVideoSurface();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->w, 960);
    EXPECT_EQ(s->h, 544);
    EXPECT_TRUE(s->flags & SDL_OPENGL);
    EXPECT_TRUE(s->flags & SDL_RESIZABLE);
    char *title = nullptr;
    SDL_WM_GetCaption(&title, nullptr);
    EXPECT_STREQ(title, "Cogmire SDL OpenGL");
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    EXPECT_EQ(v[2], 960);
    EXPECT_EQ(v[3], 544);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint src, dst;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(src, GL_SRC_ALPHA);
    EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);
    glGetIntegerv(GL_SHADE_MODEL, v);
    EXPECT_EQ(v[0], GL_SMOOTH);
    glGetIntegerv(GL_DEPTH_BITS, v);
    EXPECT_GE(v[0], 16);
    glGetIntegerv(GL_DOUBLEBUFFER, v);
    EXPECT_EQ(v[0], GL_TRUE);
    // videoInit ran after the set-up: the quality hints are the high ones.
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, v);
    EXPECT_EQ(v[0], GL_NICEST);
    EXPECT_EQ(inputButtons, 0u);
    // Nothing has drawn from the generator yet: it holds the clock's seconds as start-up
    // seeded it, the low word as the low one and the high word (0 until 2106) above it.
    EXPECT_GE(randomState, uint64_t(clockBefore));
    EXPECT_LE(randomState, uint64_t(time(nullptr)));
}

TEST_F(MainLoop, EveryKeyToItsBit) {
    struct Case {
        SDLKey key;
        ButtonMask bit;
    };
    const Case cases[] = {
        {SDLK_LEFT, 0x1},  {SDLK_RIGHT, 0x2}, {SDLK_UP, 0x4},      {SDLK_DOWN, 0x8},
        {SDLK_a, 0x10},    {SDLK_b, 0x20},    {SDLK_x, 0x40},      {SDLK_y, 0x80},
        {SDLK_l, 0x100},   {SDLK_r, 0x200},   {SDLK_SPACE, 0x400}, {SDLK_RETURN, 0x800},
        {SDLK_ESCAPE, 0x1000},
    };
    for (const Case &c : cases) {
        releaseAll();
        keys()[c.key] = 1;
        inputPoll();
        EXPECT_EQ(inputButtons, c.bit) << SDL_GetKeyName(c.key);
    }
    // All at once, and nothing beyond bit 12.
    for (const Case &c : cases) keys()[c.key] = 1;
    inputPoll();
    EXPECT_EQ(inputButtons, 0x1FFFu);
    // Keys that are no button.
    releaseAll();
    for (SDLKey k : {SDLK_KP_ENTER, SDLK_LSHIFT, SDLK_RSHIFT, SDLK_CAPSLOCK, SDLK_c, SDLK_z,
                     SDLK_KP8, SDLK_TAB})
        keys()[k] = 1;
    inputPoll();
    EXPECT_EQ(inputButtons, 0u) << "keypad Enter, Shift and other keys set no bit";
    // Shift held changes nothing about the letter.
    keys()[SDLK_a] = 1;
    SDL_SetModState(KMOD_LSHIFT);
    inputPoll();
    EXPECT_EQ(inputButtons, 0x10u);
    SDL_SetModState(KMOD_NONE);
    inputInit();
    EXPECT_EQ(inputButtons, 0u);
}

TEST_F(MainLoop, PressedOnTheFirstFrameOnly) {
    uint32_t previous = SDL_GetTicks();
    bool pressed[5];
    const bool held[5] = {true, true, false, true, true};
    for (int f = 0; f < 5; f++) {
        keys()[SDLK_RETURN] = held[f];
        inputPoll();
        pressed[f] = inputPressed(inputButtons, 0x800);
        // The state machine stores this frame's mask for the next one.
        stateUpdate(mainFrameTime(SDL_GetTicks(), &previous));
    }
    EXPECT_TRUE(pressed[0]);
    EXPECT_FALSE(pressed[1]);
    EXPECT_FALSE(pressed[2]);
    EXPECT_TRUE(pressed[3]); // released and pressed again
    EXPECT_FALSE(pressed[4]);
    EXPECT_EQ(inputButtonsPrevious, 0x800u);
}

TEST_F(MainLoop, ResizeRedoesTheGlSetUp) {
    boundAtlas = 1;
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glDepthFunc(GL_ALWAYS);
    glDisable(GL_DEPTH_TEST);
    glClearColor(1, 1, 1, 1);
    SDL_Event e = {};
    e.type = SDL_VIDEORESIZE;
    e.resize.w = 700;
    e.resize.h = 400;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    e.resize.w = 640;
    e.resize.h = 360;
    ASSERT_EQ(SDL_PushEvent(&e), 0); // two in one frame: the last one wins
    e.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    mainEvents();
    EXPECT_TRUE(SDL_GetVideoSurface()->flags & SDL_RESIZABLE);
    EXPECT_EQ(windowWidth, 640);
    EXPECT_EQ(windowHeight, 360);
    EXPECT_EQ(boundAtlas, -1);
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    EXPECT_EQ(v[2], 640);
    EXPECT_EQ(v[3], 360);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, v);
    EXPECT_EQ(v[0], GL_FASTEST);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    glGetIntegerv(GL_DEPTH_FUNC, v);
    EXPECT_EQ(v[0], GL_LEQUAL);
    glGetIntegerv(GL_MATRIX_MODE, v);
    EXPECT_EQ(v[0], GL_MODELVIEW);
    float m[16];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, m);
    EXPECT_EQ(m[0] + m[1] + m[2] + m[3], 0);
    glGetFloatv(GL_PROJECTION_MATRIX, m); // the box (-4, 4, -6, 6, 1, 400)
    EXPECT_FLOAT_EQ(m[5], 1 / 6.0f);
    EXPECT_FLOAT_EQ(m[10], -2 / 399.0f);
    EXPECT_EQ(mainQuit, 1) << "the window's close";
    mainQuit = 0;
}

TEST_F(MainLoop, EscapeFrameIsDrawnAndPresented) {
    // Both buffers red, so that only a frame drawn after this shows anything else.
    for (int i = 0; i < 2; i++) {
        glClearColor(1, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        SDL_GL_SwapBuffers();
    }
    uint32_t previous = SDL_GetTicks();
    float before = totalTime;
    keys()[SDLK_ESCAPE] = 1;
    mainFrame(&previous);
    EXPECT_EQ(mainQuit, 1);
    EXPECT_GT(totalTime, before) << "the frame's update ran";
    EXPECT_EQ(presented[0], 0) << "the splash frame (black) was presented";
    mainQuit = 0;
}

// Last: the loop ends with SDL_Quit.
TEST_F(MainLoop, WindowCloseEndsTheLoopWithZeroAndAFailedFirstVideoModeWithOne) {
    SDL_Event e = {};
    e.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    keys()[SDLK_ESCAPE] = 1; // Escape in the same frame is the same quit
    float before = totalTime;
    Uint32 ticks = SDL_GetTicks();
    EXPECT_EQ(mainLoop(), 0);
    EXPECT_GE(totalTime - before, float(ticks)) << "the first frame's dt runs from SDL's start";
    EXPECT_EQ(mainQuit, 1);
    // Start-up again, with no video mode to be had: status 1, SDL shut down.
    failVideoMode = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(mainStartup(), 1);
    std::string err = testing::internal::GetCapturedStderr(); // SDL's sound may print before
    EXPECT_EQ(err.substr(err.rfind('\n', err.size() - 2) + 1),
              "main(): SDL_SetVideoMode() failed: no such mode\n");
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u);
    failVideoMode = false;
}

} // namespace
