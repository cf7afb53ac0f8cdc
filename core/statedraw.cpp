// Stand-in for the screen drawing until the screens are built: a black menu frame.
#include "core/state.h"
#include "video/video.h"

void stateDraw() {
    videoClear(0, 0, 0, 255);
    videoSetFrustum(-16, 16, -9, 9, 0.1f, 3000);
    videoTextureAtlasBind(0);
}
