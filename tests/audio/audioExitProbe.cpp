// Starts the menu music, waits the given milliseconds and ends the program with the music
// thread still streaming, as the client does: the exit must neither crash nor hang.
#include <unistd.h>

#include <cstdlib>

#include "audio/audio.h"
#include "sound.h"

int main(int argc, char **argv) {
    soundOpen("wave");
    if (argc != 2 || chdir(getenv("COGMIRE_SOURCE")) != 0) return 2;
    const char *tracks[1] = {"bgm/bgmMenu.ogg"};
    audioMusicSetTracks(tracks, 1);
    audioMusicPlay(0);
    if (musicRunning != 1) return 3;
    soundSleep(atoi(argv[1]) / 1000.0);
    return 0;
}
