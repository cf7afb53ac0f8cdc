// The menu screens, each drawn at its fixed place on the menu plane less the scroll.
#pragma once

// The menu atlas's picture of each of the lobby's eight options.
extern const int lobbyOptionSprites[8];

void menuDrawMain();
void menuDrawSettings();
void menuDrawCredits();
void menuDrawMultiplayer();
// Draws nothing while the keyboard is fully hidden (keyboardOffset 50 or more).
void menuDrawKeyboard();
void menuDrawConnecting();
void menuDrawLobby();
