// Writers of the two sound file formats the client reads: 16-bit PCM WAV and Ogg Vorbis.
#pragma once

#include <string>

// Interleaved float samples in -1..1, frames × channels of them. Both return false when the
// file cannot be written. The Ogg stream's serial number is fixed, so the same samples always
// give the same bytes.
bool wavWrite(const std::string &path, const float *samples, int frames, int channels, int rate);
bool oggWrite(const std::string &path, const float *samples, int frames, int channels, int rate,
              float quality);
