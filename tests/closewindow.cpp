// Asks an X11 window to close the way a window manager does when the user clicks the
// title bar's close button: a WM_DELETE_WINDOW client message. The smoke test runs the
// program on a bare X server, which has no window manager and so no title bar.
// Usage: closewindow WINDOW-ID (decimal or 0x hex, as xdotool and xwininfo print it).
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace
{

bool Parse_Window(const char* text, Window& window)
{
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text, &end, 0);
    if (errno != 0 || end == text || *end != '\0' || value == 0)
        return false;
    window = value;
    return true;
}

// A window that does not list WM_DELETE_WINDOW would ignore the message; a window manager
// would then destroy it instead, which is not the path this helper exists to prove.
bool Takes_Delete_Message(Display* display, Window window, Atom delete_window)
{
    Atom* protocols = nullptr;
    int count = 0;
    if (!XGetWMProtocols(display, window, &protocols, &count))
        return false;
    bool found = false;
    for (int i = 0; i < count; ++i)
        found = found || protocols[i] == delete_window;
    XFree(protocols);
    return found;
}

void Send_Delete_Message(Display* display, Window window, Atom delete_window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(delete_window);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
}

} // namespace

int main(int argc, char* argv[])
{
    Window window = 0;
    if (argc != 2 || !Parse_Window(argv[1], window))
    {
        std::fprintf(stderr, "usage: closewindow WINDOW-ID\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display)
    {
        std::fprintf(stderr, "closewindow: cannot open the display\n");
        return 1;
    }
    const Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
    const bool takes = Takes_Delete_Message(display, window, delete_window);
    if (takes)
        Send_Delete_Message(display, window, delete_window);
    else
        std::fprintf(stderr, "closewindow: the window does not take WM_DELETE_WINDOW\n");
    XCloseDisplay(display);
    return takes ? 0 : 1;
}
