// Holds the keyboard of the X display in $DISPLAY until it is ended, as a
// program that has the keyboard grabbed would. Prints "grabbed" once it has
// the grab; exits 1 if it cannot get it.

#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <unistd.h>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    const int status = XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync, GrabModeAsync,
                                     CurrentTime);
    XSync(display, False);
    if (status != GrabSuccess) {
        std::fprintf(stderr, "keyboard grab refused (%d)\n", status);
        return 1;
    }
    std::printf("grabbed\n");
    std::fflush(stdout);
    for (;;)
        pause();  // SIGTERM ends the program, and the server drops the grab
}
