/* Starts a program under the X display and times, from the fork:
 *   map    the first top-level window of the program being mapped;
 *   paint  the first change of that window's pixels after the map (the
 *          program's first frame reaching the screen);
 *   cpu    the processor time the program (all its threads) had used by
 *          then, which other load on the machine does not inflate as it does
 *          the two above;
 * then, after SETTLE milliseconds more, reads the program's resident memory
 * (VmRSS) and ends it.
 *
 *   startup_probe SETTLE_MS PROGRAM [ARG...]
 *   -> map_ms=12.345 paint_ms=23.456 cpu_ms=20.123 rss_kib=34567
 *
 *   startup_probe --ping     exits 0 when the display takes a client
 *
 * The window is told by its _NET_WM_PID, so other clients of the display do
 * not disturb the figures. */
#define _POSIX_C_SOURCE 200809L

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <dirent.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static void sleep_ms(double ms)
{
    struct timespec ts = {(time_t)(ms / 1e3), (long)((ms - (time_t)(ms / 1e3) * 1e3) * 1e6)};
    nanosleep(&ts, NULL);
}

static int ignore_errors(Display* d, XErrorEvent* e)
{
    (void)d;
    (void)e;
    return 0;
}

static long window_pid(Display* d, Window w, Atom pid_atom)
{
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = NULL;
    long pid = -1;
    if (XGetWindowProperty(d, w, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format, &n, &after, &data) == Success &&
        data && n == 1 && format == 32)
        pid = (long)*(unsigned long*)data;
    if (data) XFree(data);
    return pid;
}

/* The window of the program at or under w (a window manager puts the
 * program's window into a frame of its own), or None. */
static Window program_window(Display* d, Window w, Atom pid_atom, long pid, int depth)
{
    if (window_pid(d, w, pid_atom) == pid) return w;
    if (depth == 0) return None;
    Window root, parent, *kids = NULL;
    unsigned int n = 0;
    Window found = None;
    if (XQueryTree(d, w, &root, &parent, &kids, &n)) {
        for (unsigned int i = 0; i < n && found == None; ++i)
            found = program_window(d, kids[i], pid_atom, pid, depth - 1);
        if (kids) XFree(kids);
    }
    return found;
}

/* A checksum of a square in the middle of the window, or 0 when it cannot be read. */
static uint64_t sample(Display* d, Window w)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return 0;
    const int side = 48;
    int x = a.width / 2 - side / 2, y = a.height / 2 - side / 2;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    XImage* img = XGetImage(d, w, x, y, a.width < side ? a.width : side, a.height < side ? a.height : side,
                            AllPlanes, ZPixmap);
    if (!img) return 0;
    uint64_t h = 1469598103934665603ull;
    for (int j = 0; j < img->height; ++j)
        for (int i = 0; i < img->width; ++i) h = (h ^ XGetPixel(img, i, j)) * 1099511628211ull;
    XDestroyImage(img);
    return h | 1;
}

/* Processor time of all the threads of pid so far, in ms (the first figure of
 * each thread's schedstat, in ns). */
static double cpu_ms(pid_t pid)
{
    char path[96];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR* dir = opendir(path);
    if (!dir) return -1;
    double total = 0;
    struct dirent* e;
    while ((e = readdir(dir))) {
        if (e->d_name[0] == '.') continue;
        snprintf(path, sizeof path, "/proc/%d/task/%.20s/schedstat", (int)pid, e->d_name);
        FILE* f = fopen(path, "r");
        if (!f) continue;
        unsigned long long ns = 0;
        if (fscanf(f, "%llu", &ns) == 1) total += ns / 1e6;
        fclose(f);
    }
    closedir(dir);
    return total;
}

static long rss_kib(pid_t pid)
{
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* f = fopen(path, "r");
    if (!f) return -1;
    long kib = -1;
    while (fgets(line, sizeof line, f))
        if (sscanf(line, "VmRSS: %ld kB", &kib) == 1) break;
    fclose(f);
    return kib;
}

int main(int argc, char** argv)
{
    if (argc == 2 && strcmp(argv[1], "--ping") == 0) {
        Display* d = XOpenDisplay(NULL);
        if (!d) return 1;
        XCloseDisplay(d);
        return 0;
    }
    if (argc < 3) {
        fprintf(stderr, "usage: %s SETTLE_MS PROGRAM [ARG...]\n", argv[0]);
        return 2;
    }
    const double settle = atof(argv[1]);
    const double give_up = 30000.0;

    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "startup_probe: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    const Window root = DefaultRootWindow(d);
    const Atom pid_atom = XInternAtom(d, "_NET_WM_PID", False);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    const double start = now_ms();
    const pid_t child = fork();
    if (child < 0) {
        perror("fork");
        return 2;
    }
    if (child == 0) {
        close(ConnectionNumber(d));
        execvp(argv[2], argv + 2);
        perror(argv[2]);
        _exit(127);
    }

    /* Wait for a map of one of the child's top-level windows. */
    Window win = None;
    double mapped = -1;
    while (win == None) {
        while (!XPending(d)) {
            int status;
            if (waitpid(child, &status, WNOHANG) == child) {
                fprintf(stderr, "startup_probe: %s ended before showing a window\n", argv[2]);
                return 1;
            }
            if (now_ms() - start > give_up) {
                fprintf(stderr, "startup_probe: no window after %.0f ms\n", give_up);
                kill(child, SIGKILL);
                waitpid(child, NULL, 0);
                return 1;
            }
            sleep_ms(0.2);
        }
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MapNotify && e.xmap.event == root && !e.xmap.override_redirect) {
            win = program_window(d, e.xmap.window, pid_atom, (long)child, 3);
            if (win != None) mapped = now_ms() - start;
        }
    }

    /* The first frame: the window's middle changes from what the map showed. */
    const uint64_t first = sample(d, win);
    double painted = -1, cpu = -1;
    while (now_ms() - start < mapped + 5000.0) {
        const uint64_t s = sample(d, win);
        if (s && s != first) {
            painted = now_ms() - start;
            cpu = cpu_ms(child);
            break;
        }
        sleep_ms(0.5);
    }

    sleep_ms(settle);
    const long rss = rss_kib(child);
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    XCloseDisplay(d);

    printf("map_ms=%.3f paint_ms=%.3f cpu_ms=%.3f rss_kib=%ld\n", mapped, painted, cpu, rss);
    return rss < 0;
}
