// Asks an X11 window to close as a window manager does for the title bar's close button: a
// WM_DELETE_WINDOW client message (the smoke test's bare X server has no window manager).
// Usage: closewindow WINDOW-ID (decimal or 0x hex, as xdotool prints it).
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    char* end = nullptr;
    errno = 0;
    const Window window = argc == 2 ? std::strtoul(argv[1], &end, 0) : 0;
    if (window == 0 || errno != 0 || *end != '\0')
        return std::fprintf(stderr, "usage: closewindow WINDOW-ID\n"), 2;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return std::fprintf(stderr, "closewindow: cannot open the display\n"), 1;
    // A window that does not list the message would ignore it.
    const Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
    Atom* protocols = nullptr;
    int count = 0;
    bool takes = false;
    if (XGetWMProtocols(display, window, &protocols, &count))
    {
        for (int i = 0; i < count; ++i)
            takes = takes || protocols[i] == delete_window;
        XFree(protocols);
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(delete_window);
    if (takes)
        XSendEvent(display, window, False, NoEventMask, &event);
    else
        std::fprintf(stderr, "closewindow: the window does not take WM_DELETE_WINDOW\n");
    XSync(display, False);
    XCloseDisplay(display);
    return takes ? 0 : 1;
}
