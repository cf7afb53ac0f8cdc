// The client's entry; everything it does lives in the library (core/mainloop.cpp).
#include "core/main.h"

int main() { return mainRun(); }
