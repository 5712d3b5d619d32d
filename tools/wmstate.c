// wmstate: the one thing a window manager does that Wine waits for on a bare X server. Wine hides a
// window it manages only once the window manager has marked it shown (WM_STATE), and without a
// window manager gives up after 2 s: every message box, dialog and tray hide then costs 2 s. This
// marks every top-level window shown when it is mapped and withdrawn when it is unmapped, and does
// nothing else: no focus, no decorations, no placement.
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <stdio.h>

// A window can be gone by the time its event is handled; that is no error here.
static int ignoreErrors(Display* display, XErrorEvent* error) {
    (void)display;
    (void)error;
    return 0;
}

int main(void) {
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "wmstate: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    Atom wmState = XInternAtom(display, "WM_STATE", False);
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect) {
            long state[2] = {NormalState, None};
            XChangeProperty(display, event.xmap.window, wmState, wmState, 32, PropModeReplace,
                            (unsigned char*)state, 2);
        } else if (event.type == UnmapNotify && event.xunmap.event == root) {
            XDeleteProperty(display, event.xunmap.window, wmState);
        }
        XFlush(display);
    }
}
