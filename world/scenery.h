// The level's scenery: props for the collectors to fetch, and smoke emitters.
#pragma once

#include <cstdint>

struct SceneryProp {
    int32_t type; // 0 free, 1 lying on the map, 2 picked up by one of the player's units
    float x, y;
    float angle;
};

struct SceneryEmitter {
    int32_t type; // 0 free, 1 smoke
    float x, y, z;
    float scale; // drawing scale; units keep scale * 10 away
    float angle;
    float timer; // ms to the next puff
};

constexpr int sceneryPropCount = 64;
constexpr int sceneryEmitterCount = 128;
extern SceneryProp sceneryProps[sceneryPropCount];
extern SceneryEmitter sceneryEmitters[sceneryEmitterCount];

void sceneryPropsClear();
// The slot filled, or -1 when the table is full.
int sceneryPropAdd(int type, float x, float y, float angle);
// Frees every prop within 0.01 of the point on both axes.
void sceneryPropRemoveAt(float x, float y);
void sceneryPropsDraw();
void sceneryEmittersClear();
void sceneryEmitterAdd(int type, float x, float y, float z, float scale, float angle);
void sceneryEmittersUpdate(float dt);
void sceneryEmittersDraw();
