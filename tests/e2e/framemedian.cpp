// Frame time of the real client loop (input, update, drawing, swap, the 1 ms sleep) in
// the splash and in the main menu; prints the medians, and fails only when a frame takes
// so long that the menus could not be used.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

#include "core/main.h"
#include "core/state.h"

namespace {

// Median milliseconds of frames frames of the main loop, after a few to warm up (the
// first frame of a state group decodes its atlas).
double medianFrame(int frames) {
    uint32_t previous = 0;
    for (int i = 0; i < 5; i++)
        mainFrame(&previous);
    std::vector<double> ms;
    for (int i = 0; i < frames; i++) {
        auto begin = std::chrono::steady_clock::now();
        mainFrame(&previous);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

TEST(FrameMedian, SplashAndMainMenu) {
    if (const char *source = getenv("COGMIRE_SOURCE")) {
        ASSERT_EQ(chdir(source), 0);
    }
    ASSERT_EQ(mainStartup(), 0);

    // The first splash picture held in the middle of the screen.
    screenState = 1;
    stateTimer = 0;
    menuScrollX = 400;
    const double splash = medianFrame(200);

    // The main menu at rest, background rings at their final size.
    screenState = 6;
    menuScrollX = 1100;
    menuScrollY = 0;
    menuBackgroundScale = 9;
    const double menu = medianFrame(200);

    printf("median frame time: splash %.2f ms, main menu %.2f ms\n", splash, menu);
    RecordProperty("splashMs", std::to_string(splash));
    RecordProperty("menuMs", std::to_string(menu));
    EXPECT_LT(splash, 500);
    EXPECT_LT(menu, 500);
}

} // namespace
