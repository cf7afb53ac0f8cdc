// Stand-in for the audio subsystem until it is built: switches only, no sound.
#include "audio/audio.h"

int sfxOn = 1;
int musicOn = 1;

void audioInit() {}
void audioSfxLoad(const SfxEntry *, int) {}
void audioSfxPlay(int) {}
void audioSfxSetEnabled(int on) {
    sfxOn = on;
}
void audioMusicSetTracks(const char *const *, int) {}
void audioMusicPlay(int) {}
void audioMusicSetEnabled(int on) {
    musicOn = on;
}
