// Builds the button mask from SDL's keyboard state, from nothing, every frame.
#include "core/input.h"

#include <SDL/SDL.h>

ButtonMask inputButtons = 0;
ButtonMask inputButtonsPrevious = 0;

struct KeyButton {
    SDLKey key;
    ButtonMask bit;
};

static constexpr KeyButton inputKeys[] = {
    {SDLK_LEFT, buttonLeft}, {SDLK_RIGHT, buttonRight}, {SDLK_UP, buttonUp},
    {SDLK_DOWN, buttonDown}, {SDLK_a, buttonA},         {SDLK_b, buttonB},
    {SDLK_x, buttonX},       {SDLK_y, buttonY},         {SDLK_l, buttonL},
    {SDLK_r, buttonR},       {SDLK_SPACE, buttonSpace}, {SDLK_RETURN, buttonReturn},
    {SDLK_ESCAPE, buttonEscape},
};
static_assert(sizeof(inputKeys) / sizeof(inputKeys[0]) == 13);

void inputInit() { inputButtons = 0; }

void inputPoll() {
    const Uint8 *keys = SDL_GetKeyState(nullptr);
    inputButtons = 0;
    for (const KeyButton &k : inputKeys)
        if (keys[k.key]) inputButtons |= k.bit;
}
