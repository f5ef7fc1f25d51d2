// Waits for a window of the given title to be mapped on the X display and prints the moment, in
// nanoseconds of the realtime clock (as `date +%s%N` gives it), so that scripts/measure-idle.sh
// can time a start to the window on screen without polling, which would take processor time
// from the very start it measures. Prints "ready" once it listens; gives up after 60 s.
//   map_watch TITLE
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

static long long NowNs(void) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

static int HasTitle(Display* display, Window window, const char* title) {
    char* name = NULL;
    int same = XFetchName(display, window, &name) && name && strcmp(name, title) == 0;
    if (name)
        XFree(name);
    return same;
}

static int IsMapped(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

static int IgnoreErrors(Display* display, XErrorEvent* error) {
    (void)display, (void)error; // a window that went away between its event and our look
    return 0;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s TITLE\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "map_watch: no display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreErrors);
    const Window root = DefaultRootWindow(display);
    // Wine's top-level windows are children of the root: their creation and mapping show here.
    // The title may come after the mapping, so a mapped window's title changes are watched too.
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    printf("ready\n");
    fflush(stdout);
    const long long deadline = NowNs() + 60000000000LL;
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            Window window = 0;
            if (event.type == CreateNotify)
                XSelectInput(display, event.xcreatewindow.window, PropertyChangeMask);
            else if (event.type == MapNotify)
                window = event.xmap.window;
            else if (event.type == PropertyNotify && event.xproperty.atom == XA_WM_NAME)
                window = event.xproperty.window;
            if (window && HasTitle(display, window, argv[1]) && IsMapped(display, window)) {
                printf("%lld\n", NowNs());
                return 0;
            }
        }
        struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
        const long long left = deadline - NowNs();
        if (left <= 0 || poll(&connection, 1, (int)(left / 1000000)) == 0) {
            fprintf(stderr, "map_watch: no window \"%s\" in 60 s\n", argv[1]);
            return 1;
        }
    }
}
