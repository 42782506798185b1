// Asks an X11 window to close as a window manager does for the title bar's close button: a
// WM_DELETE_WINDOW client message (the smoke test's bare X server has no window manager).
// Usage: closewindow WINDOW-ID (decimal or 0x hex, as xdotool prints it).
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    char* end = nullptr;
    const Window window = argc == 2 ? std::strtoul(argv[1], &end, 0) : 0;
    if (window == 0 || *end != '\0')
        return std::fprintf(stderr, "usage: closewindow WINDOW-ID\n"), 2;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return std::fprintf(stderr, "closewindow: cannot open the display\n"), 1;
    // A window that does not take the message stays open: the caller sees it still running.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    const bool sent = XSendEvent(display, window, False, NoEventMask, &event) != 0;
    XCloseDisplay(display);
    return sent ? 0 : 1;
}
