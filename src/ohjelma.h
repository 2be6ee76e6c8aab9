#pragma once
// The whole program: start-up, the main menu loop, the game and the clean-up.
// Returns the exit status: 0 after a normal end, 1 when the font library or
// SDL cannot start.
int SDL_main(int argc, char** argv);
