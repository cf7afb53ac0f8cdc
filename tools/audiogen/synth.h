// The synthesised sounds: the menu click and the looping menu track.
#pragma once

#include <vector>

constexpr int synthRate = 44100;

// Mono samples of the click.
std::vector<float> synthClick();
// Interleaved stereo samples of the menu track; its end runs on into its beginning.
std::vector<float> synthMenuTrack();
