// Sound effects and streamed music.
#pragma once

extern int sfxOn;
extern int musicOn;

void audioInit();
void audioSfxPlay(int sound);
void audioSfxSetEnabled(int on);
void audioMusicSetEnabled(int on);
