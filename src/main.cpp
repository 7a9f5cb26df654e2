// Platform entry point: SDL 1.2 on Linux supplies no start-up library that calls SDL_main.
int SDL_main(int argc, char** argv);

int main(int argc, char** argv) { return SDL_main(argc, argv); }
