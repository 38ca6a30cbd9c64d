// Measures start-up to the first painted frame of an X client, from outside
// and the same way for any program:
//
//   first_frame COMMAND [ARGS...]
//
// paints the root window a colour no window here uses (magenta), starts the
// command, and polls every millisecond for a new client in the window
// manager's client list that is viewable and whose content, sampled on a
// 5 × 5 grid inside its middle 80 % as the screen shows it, no longer holds
// any of the root colour: a window that is mapped but not yet drawn shows
// what lay beneath it. Prints the milliseconds from just before fork to that moment, then ends the
// command with SIGTERM.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <set>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr unsigned long kRootColour = 0xff00ff;
constexpr int kGrid = 5;
constexpr auto kGiveUp = std::chrono::seconds(30);

bool xError = false;

int ignoreError(Display *, XErrorEvent *)
{
    xError = true; // a window that went away or was unmapped between two requests
    return 0;
}

std::vector<Window> clients(Display *dpy, Window root, Atom clientList)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::vector<Window> out;
    if (XGetWindowProperty(dpy, root, clientList, 0, 4096, False, XA_WINDOW, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 32) {
        const auto *ids = reinterpret_cast<const unsigned long *>(data);
        out.assign(ids, ids + count);
    }
    if (data)
        XFree(data);
    return out;
}

// Whether the window is on screen with nothing of the root colour left in
// it. Reads the screen where the window lies, not the window itself, so a
// window reaching past the screen's edge is no error.
bool painted(Display *dpy, Window root, Window w, const char **why)
{
    xError = false;
    XWindowAttributes a;
    int x0 = 0, y0 = 0;
    Window child = None;
    if (!XGetWindowAttributes(dpy, w, &a) || xError) {
        *why = "window gone";
        return false;
    }
    if (a.map_state != IsViewable || a.width < 10 || a.height < 10) {
        *why = "not viewable";
        return false;
    }
    XTranslateCoordinates(dpy, w, root, 0, 0, &x0, &y0, &child);
    const int screenW = DisplayWidth(dpy, DefaultScreen(dpy));
    const int screenH = DisplayHeight(dpy, DefaultScreen(dpy));
    for (int row = 0; row < kGrid; ++row) {
        const int y = std::clamp(y0 + a.height / 10 + row * (a.height * 8 / 10) / (kGrid - 1), 0,
                                 screenH - 1);
        XImage *line = XGetImage(dpy, root, 0, y, unsigned(screenW), 1, AllPlanes, ZPixmap);
        XSync(dpy, False);
        if (!line || xError) {
            *why = "screen unreadable";
            return false;
        }
        bool blank = false;
        for (int col = 0; col < kGrid && !blank; ++col) {
            const int x = std::clamp(x0 + a.width / 10 + col * (a.width * 8 / 10) / (kGrid - 1), 0,
                                     screenW - 1);
            blank = (XGetPixel(line, x, 0) & 0xffffff) == kRootColour;
        }
        XDestroyImage(line);
        if (blank) {
            *why = "not drawn yet";
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_frame COMMAND [ARGS...]\n");
        return 2;
    }
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "first_frame: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreError);
    const Window root = DefaultRootWindow(dpy);
    const Atom clientList = XInternAtom(dpy, "_NET_CLIENT_LIST", False);
    XSetWindowBackground(dpy, root, kRootColour);
    XClearWindow(dpy, root);
    XSync(dpy, False);
    const auto before = clients(dpy, root, clientList);
    const std::set<Window> old(before.begin(), before.end());

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror("first_frame: exec");
        _exit(127);
    }

    int status = 1;
    const char *why = "no new window";
    const timespec pause{0, 1'000'000};
    for (;;) {
        const auto now = std::chrono::steady_clock::now();
        bool done = false;
        for (Window w : clients(dpy, root, clientList))
            if (!old.count(w) && painted(dpy, root, w, &why)) {
                const double ms = std::chrono::duration<double, std::milli>(now - start).count();
                std::printf("%.1f\n", ms);
                status = 0;
                done = true;
                break;
            }
        int childStatus = 0;
        if (!done && waitpid(child, &childStatus, WNOHANG) == child) {
            std::fprintf(stderr, "first_frame: %s ended before it painted a window\n", argv[1]);
            XCloseDisplay(dpy);
            return 1;
        }
        if (!done && now - start > kGiveUp) {
            std::fprintf(stderr, "first_frame: no painted window from %s (%s)\n", argv[1], why);
            done = true;
        }
        if (done)
            break;
        nanosleep(&pause, nullptr);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(dpy);
    return status;
}
