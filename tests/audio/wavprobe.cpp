// wavprobe: measures a WAV file for the shell tests. "wavprobe FILE" prints its frame count,
// "wavprobe FILE FROM TO" the peak, the RMS and the loud 10 ms windows of frames [FROM, TO).
#include <cstdio>
#include <cstdlib>

#include "wav.h"

int main(int argc, char **argv) {
    Wav wav;
    if ((argc != 2 && argc != 4) || !wavRead(argv[1], wav)) {
        printf("0\n");
        return argc == 2 || argc == 4 ? 0 : 2;
    }
    if (argc == 2) {
        printf("%ld\n", wav.frames());
        return 0;
    }
    long from = atol(argv[2]), to = atol(argv[3]);
    printf("%.4f %.4f %d\n", wavPeak(wav, from, to), wavRms(wav, from, to),
           wavLoudWindows(wav, from, to, 0.01));
    return 0;
}
