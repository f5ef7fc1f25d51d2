// Watches a mapped window of the given title on the X display for SECONDS seconds and prints,
// for each repaint that reached the display, how many milliseconds after the start of its
// second of the realtime clock it arrived, so that scripts/measure-idle.sh can tell how late
// the clock text is and how often the window repaints. A repaint is what the display reports
// as damage: one flush of Wine's window surface may come as several rectangles, so events less
// than kBurstGapMs apart count as one repaint, stamped when its last rectangle arrived (the
// moment the whole new text is on screen). An offset above kEarlyAfterMs belongs to a repaint
// that came early for the next second: it is printed as a negative lag (998 ms as -2 ms).
// Prints "ready" once it listens, then one lag per line, then a summary line beginning "#".
//   damage_watch TITLE SECONDS
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

enum { kBurstGapMs = 5, kEarlyAfterMs = 900 };

static long long NowNs(void) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

static int IgnoreErrors(Display* display, XErrorEvent* error) {
    (void)display, (void)error; // a window that went away between the listing and our look
    return 0;
}

// Wine's top-level windows are children of the root.
static Window FindMapped(Display* display, const char* title) {
    Window root, parent, *children = NULL, found = 0;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = NULL;
        XWindowAttributes attributes;
        if (XFetchName(display, children[i], &name) && name && strcmp(name, title) == 0 &&
            XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable)
            found = children[i];
        if (name)
            XFree(name);
    }
    if (children)
        XFree(children);
    return found;
}

// The lag of a repaint that arrived at `ns`: its offset into the second, wrapped past kEarlyAfterMs.
static double LagMs(long long ns) {
    const double offset = (double)(ns % 1000000000LL) / 1e6;
    return offset > kEarlyAfterMs ? offset - 1000.0 : offset;
}

int main(int argc, char** argv) {
    if (argc != 3 || atoi(argv[2]) <= 0) {
        fprintf(stderr, "usage: %s TITLE SECONDS\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "damage_watch: no display\n");
        return 1;
    }
    int eventBase, errorBase;
    if (!XDamageQueryExtension(display, &eventBase, &errorBase)) {
        fprintf(stderr, "damage_watch: the display has no DAMAGE extension\n");
        return 1;
    }
    XSetErrorHandler(IgnoreErrors);
    const Window window = FindMapped(display, argv[1]);
    if (!window) {
        fprintf(stderr, "damage_watch: no mapped window \"%s\"\n", argv[1]);
        return 1;
    }
    // The display reports the whole window as damaged when the watch begins: that is no repaint,
    // and the sync that sees it through also drops it.
    XDamageCreate(display, window, XDamageReportRawRectangles);
    XSync(display, True);
    printf("ready\n");
    fflush(stdout);

    const long long start = NowNs(), deadline = start + atoi(argv[2]) * 1000000000LL;
    long long last = 0; // the newest rectangle of the repaint not yet printed
    int repaints = 0, rectangles = 0, early = 0;
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != eventBase + XDamageNotify)
                continue;
            const long long now = NowNs();
            ++rectangles;
            if (last && now - last >= kBurstGapMs * 1000000LL) {
                const double lag = LagMs(last);
                early += lag < 0;
                ++repaints;
                printf("%.1f\n", lag);
            }
            last = now;
        }
        long long left = deadline - NowNs();
        // A pending repaint is complete once kBurstGapMs pass without another rectangle.
        if (last && (left <= 0 || NowNs() - last >= kBurstGapMs * 1000000LL)) {
            const double lag = LagMs(last);
            early += lag < 0;
            ++repaints;
            printf("%.1f\n", lag);
            last = 0;
        }
        if (left <= 0)
            break;
        int wait = (int)(left / 1000000) + 1;
        if (last && wait > kBurstGapMs)
            wait = kBurstGapMs;
        struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, wait);
    }
    const double seconds = (double)(NowNs() - start) / 1e9;
    printf("# %d repaints in %.1f s (%.2f a second), %d rectangles, %d early for the next second\n", repaints,
           seconds, repaints / seconds, rectangles, early);
    return 0;
}
