// Start-up and the frame loop.
int SDL_main(int, char**) { return 0; }
