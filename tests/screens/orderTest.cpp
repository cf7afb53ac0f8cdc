// What a frame draws in each of the 24 screen states: the clear, the projection's near
// plane, the atlas, the background rings and the screens, in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/state.h"
#include "fakevideo.h"

extern std::vector<std::string> drawnScreens;

TEST(StateDraw, EveryState) {
    using S = std::vector<std::string>;
    const S splash = {};
    const S expected[24] = {
        splash,
        splash,
        splash,
        splash,
        splash,
        {"main"},
        {"main"},
        {"main", "credits"},
        {"credits"},
        {"main", "credits"},
        {"main", "multiplayer"},
        {"multiplayer", "keyboard"},
        {"main", "multiplayer"},
        {"multiplayer", "connecting", "lobby"},
        {"connecting"},
        {"multiplayer", "connecting", "lobby"},
        {"connecting", "lobby"},
        {"lobby"},
        {"connecting", "lobby"},
        {"main", "settings"},
        {"settings"},
        {"main", "settings"},
        {"lobby"},
        {},
    };
    for (int state = 0; state < 24; state++) {
        SCOPED_TRACE(state);
        screenState = state;
        fakeReset();
        drawnScreens.clear();
        stateDraw();
        EXPECT_EQ(drawnScreens, expected[state]);

        const bool play = state == 23, splashState = state <= 4;
        auto clear = fakeCallsNamed("Clear");
        ASSERT_EQ(clear.size(), 1u);
        EXPECT_EQ(clear[0].args, play ? (std::vector<float>{7, 65, 114, 255})
                                      : (std::vector<float>{0, 0, 0, 255}));
        auto frustum = fakeCallsNamed("SetFrustum");
        ASSERT_EQ(frustum.size(), 1u);
        EXPECT_EQ(frustum[0].args, (std::vector<float>{-16, 16, -9, 9, play ? 20.0f : 0.1f, 3000}));
        auto bind = fakeCallsNamed("TextureAtlasBind");
        ASSERT_EQ(bind.size(), 1u);
        EXPECT_EQ(bind[0].args[0], splashState ? 0 : play ? 2 : 1);
        EXPECT_EQ(fakeCalls[0].name, "Clear");
        EXPECT_EQ(fakeCalls[1].name, "SetFrustum");
        EXPECT_EQ(fakeCalls[2].name, "TextureAtlasBind");

        // Splash pictures only in the splash; rings in every menu state; in play the scene,
        // whose textured map comes before any flat mesh, and no rings behind it.
        EXPECT_EQ(fakeCallsNamed("DrawSprite").size(), splashState ? 2u : 0u);
        auto mesh = std::find_if(fakeCalls.begin(), fakeCalls.end(),
                                 [](const FakeCall &c) { return c.name.starts_with("DrawMesh"); });
        EXPECT_EQ(mesh != fakeCalls.end() && mesh->name == "DrawMesh", play);
        if (!play) {
            EXPECT_EQ(fakeCallsNamed("DrawMeshFlat").size(), splashState ? 0u : 3u);
        }
    }
    screenState = 0;
}
