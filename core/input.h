// The thirteen pad buttons read from the keyboard once a frame.
#pragma once

#include <cstdint>

using ButtonMask = uint32_t;

constexpr ButtonMask buttonLeft = 0x1;
constexpr ButtonMask buttonRight = 0x2;
constexpr ButtonMask buttonUp = 0x4;
constexpr ButtonMask buttonDown = 0x8;
constexpr ButtonMask buttonA = 0x10;
constexpr ButtonMask buttonB = 0x20;
constexpr ButtonMask buttonX = 0x40;
constexpr ButtonMask buttonY = 0x80;
constexpr ButtonMask buttonL = 0x100;
constexpr ButtonMask buttonR = 0x200;
constexpr ButtonMask buttonSpace = 0x400;
constexpr ButtonMask buttonReturn = 0x800;
constexpr ButtonMask buttonEscape = 0x1000;

// Buttons held this frame, and the mask of the frame before (stored by the state machine).
extern ButtonMask inputButtons;
extern ButtonMask inputButtonsPrevious;

void inputInit();
void inputPoll();

// Set this frame and clear in the previous one.
inline bool inputPressed(ButtonMask mask, ButtonMask bit) {
    return (mask & bit) && !(inputButtonsPrevious & bit);
}
