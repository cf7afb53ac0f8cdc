// A recording stand-in for the whole rendering layer (the OpenGL wrappers and the atlas
// module): test binaries that link it see every drawing call in order and need no window.
#pragma once

#include <string>
#include <vector>

struct FakeCall {
    std::string name; // the function's name without its "video" prefix
    std::vector<float> args;
    int colour[4];    // the colour set last when the call was made
    std::string mesh; // a mesh draw's model ("meshUnit1", ...), by the array's address
};

extern std::vector<FakeCall> fakeCalls;

void fakeReset();
// The calls of one name, in order.
std::vector<FakeCall> fakeCallsNamed(const std::string &name);
