#pragma once
// The whole program: start-up, the main menu loop, the game and the clean-up.

// Runs the program and returns its exit status: 0 after a normal end, 1 when
// the font library, SDL or the screen cannot be started. The arguments are
// not read.
int SDL_main(int argc, char** argv);

// Starts SDL's video and then its audio; writes what it does to standard
// output and returns 1 when video fails, 0 otherwise (without audio the game
// plays silently).
int alusta_SDL();
