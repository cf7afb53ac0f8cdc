// Every symbol of the menu module, recording which screen was drawn, so a test sees what
// the frame drew in each state.
#include "core/menu.h"

#include <string>
#include <vector>

std::vector<std::string> drawnScreens;

const int lobbyOptionSprites[8] = {41, 42, 43, 44, 45, 46, 47, 48};
void menuDrawMain() {
    drawnScreens.push_back("main");
}
void menuDrawSettings() {
    drawnScreens.push_back("settings");
}
void menuDrawCredits() {
    drawnScreens.push_back("credits");
}
void menuDrawMultiplayer() {
    drawnScreens.push_back("multiplayer");
}
void menuDrawKeyboard() {
    drawnScreens.push_back("keyboard");
}
void menuDrawConnecting() {
    drawnScreens.push_back("connecting");
}
void menuDrawLobby() {
    drawnScreens.push_back("lobby");
}
