// The program entry: everything else lives in the game's library.
#include "ohjelma.h"

int main(int argc, char** argv) { return SDL_main(argc, argv); }
