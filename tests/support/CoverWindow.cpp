// Maps a green override-redirect window at X Y WIDTH HEIGHT on $DISPLAY, as
// another program covering the lock would; prints "mapped" once it is.
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv)
{
    Display* display = argc == 5 ? XOpenDisplay(nullptr) : nullptr;
    if (!display)
        return 1;
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = 0x00ff00;  // on a TrueColor screen
    const Window window = XCreateWindow(display, DefaultRootWindow(display), std::atoi(argv[1]), std::atoi(argv[2]),
                                        unsigned(std::atoi(argv[3])), unsigned(std::atoi(argv[4])), 0, CopyFromParent,
                                        InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display, window);
    XSync(display, False);
    std::printf("mapped\n");
    std::fflush(stdout);
    for (;;)
        pause();  // SIGTERM ends the program, and the server destroys the window
}
