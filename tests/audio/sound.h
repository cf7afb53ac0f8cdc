// The audio tests' sound device: OpenAL Soft writing all it plays to a WAV file in a fresh
// folder (or, with drivers "none", no device at all), opened once per test process.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wav.h"

// Opens the device and runs audioInit; the folder also takes the tests' own tracks.
void soundOpen(const char *drivers);
// Frames written so far: the moment from which a test measures.
long soundNow();
// Everything written once the file holds seconds past the mark; a file that stops short fails.
Wav soundAfter(long mark, double seconds);
void soundSleep(double seconds);
// Writes a test track of frames × channels float samples made by f(frame, channel).
std::string soundTrack(const char *name, int channels, int rate, double seconds,
                       double (*f)(double t, int channel));
