/* Starts a program on the X display and reports when its windows appear and
 * when they are first drawn, then how much memory and processor time the
 * program has used once it has settled.
 *
 *   brevant-paint-timer [-w WIDTHxHEIGHT] [-s SETTLE_MS] [-t TIMEOUT_MS] -- PROGRAM [ARG...]
 *
 * Times are in milliseconds from just before the program is started. A
 * window's first drawing is the first damage the X DAMAGE extension reports
 * for it after it has been mapped. The target window is the first mapped top
 * level window of the given size. One line is printed:
 *
 *   first_mapped first_painted target_mapped target_painted cpu_ms hwm_kib rss_kib target_drawn
 *
 * A window may reach the screen in parts, its background first: target_drawn
 * is when its drawing ended, the last damage before it stayed unchanged for
 * QUIET_MS (-1 when it never did while settling).
 *
 * cpu_ms (user + system), hwm_kib (VmHWM, the peak resident set) and rss_kib
 * (Rss of smaps_rollup) are read SETTLE_MS after the target window was first
 * drawn, from the process that owns the target window (its _NET_WM_PID): under
 * Wine the program runs in a process of its own, not in the one started. The
 * program is then killed. Exit status 1 when the target window was not drawn
 * within TIMEOUT_MS or the program ended first. */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#define MAX_WINDOWS 256
/* Longer than a window takes between two parts of its first frame, shorter
 * than the second a clock on it waits for its next tick. */
#define QUIET_MS 150

struct Tracked {
  Window window;
  Damage damage;
  int width, height;
  double mapped, painted; /* ms, negative until it happens */
};

static struct Tracked tracked[MAX_WINDOWS];
static int trackedCount;
static struct timespec started;

static double Elapsed(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (now.tv_sec - started.tv_sec) * 1e3 + (now.tv_nsec - started.tv_nsec) / 1e6;
}

/* Windows may be gone before they are looked at; that is not an error here. */
static int IgnoreErrors(Display* display, XErrorEvent* error) {
  (void)display;
  (void)error;
  return 0;
}

static struct Tracked* Find(Window window) {
  for (int i = 0; i < trackedCount; ++i)
    if (tracked[i].window == window) return &tracked[i];
  return NULL;
}

static struct Tracked* Track(Display* display, Window window, int width, int height) {
  struct Tracked* t = Find(window);
  if (t || trackedCount == MAX_WINDOWS) return t;
  t = &tracked[trackedCount++];
  t->window = window;
  t->width = width;
  t->height = height;
  t->mapped = t->painted = -1;
  t->damage = XDamageCreate(display, window, XDamageReportNonEmpty);
  return t;
}

/* A field of a /proc file that starts with key, as a number; -1 if absent. */
static long ProcField(pid_t pid, const char* file, const char* key) {
  char path[64], line[256];
  snprintf(path, sizeof path, "/proc/%d/%s", (int)pid, file);
  FILE* f = fopen(path, "r");
  if (!f) return -1;
  long value = -1;
  const size_t n = strlen(key);
  while (fgets(line, sizeof line, f)) {
    if (strncmp(line, key, n) == 0) {
      value = strtol(line + n, NULL, 10);
      break;
    }
  }
  fclose(f);
  return value;
}

/* The process that says it owns the window, or 0. */
static pid_t OwnerOf(Display* display, Window window) {
  const Atom property = XInternAtom(display, "_NET_WM_PID", True);
  if (property == None) return 0;
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = NULL;
  pid_t pid = 0;
  if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format,
                         &count, &after, &data) == Success &&
      data && format == 32 && count == 1) {
    pid = (pid_t) * (const unsigned long*)data;
  }
  if (data) XFree(data);
  return pid;
}

static double CpuMs(pid_t pid) {
  char path[64], text[1024];
  snprintf(path, sizeof path, "/proc/%d/stat", (int)pid);
  FILE* f = fopen(path, "r");
  if (!f) return -1;
  const size_t n = fread(text, 1, sizeof text - 1, f);
  fclose(f);
  text[n] = 0;
  /* Fields 14 and 15 (utime, stime) follow the command name in parentheses,
   * which may itself hold spaces. */
  const char* p = strrchr(text, ')');
  if (!p) return -1;
  unsigned long utime = 0, stime = 0;
  if (sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2)
    return -1;
  return (utime + stime) * 1000.0 / sysconf(_SC_CLK_TCK);
}

int main(int argc, char** argv) {
  int targetWidth = 0, targetHeight = 0, settleMs = 1500, timeoutMs = 20000, opt;
  while ((opt = getopt(argc, argv, "w:s:t:")) != -1) {
    if (opt == 'w' && sscanf(optarg, "%dx%d", &targetWidth, &targetHeight) == 2) continue;
    if (opt == 's') {
      settleMs = atoi(optarg);
      continue;
    }
    if (opt == 't') {
      timeoutMs = atoi(optarg);
      continue;
    }
    optind = argc + 1;
    break;
  }
  if (optind >= argc) {
    fprintf(stderr, "usage: %s [-w WxH] [-s SETTLE_MS] [-t TIMEOUT_MS] -- PROGRAM [ARG...]\n",
            argv[0]);
    return 2;
  }

  Display* display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "cannot open the display\n");
    return 2;
  }
  int damageEvent, damageError;
  if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
    fprintf(stderr, "the display has no DAMAGE extension\n");
    return 2;
  }
  XSetErrorHandler(IgnoreErrors);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);
  fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);

  clock_gettime(CLOCK_MONOTONIC, &started);
  const pid_t child = fork();
  if (child < 0) return 2;
  if (child == 0) {
    execvp(argv[optind], argv + optind);
    _exit(127);
  }

  struct Tracked* first = NULL;
  struct Tracked* target = NULL;
  struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
  int status;
  int ended = 0;
  while (!(target && target->painted >= 0)) {
    if (waitpid(child, &status, WNOHANG) == child) {
      ended = 1;
      break;
    }
    const double left = timeoutMs - Elapsed();
    if (left <= 0) break;
    if (!XPending(display)) {
      poll(&connection, 1, left < 50 ? (int)left + 1 : 50);
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
      Track(display, event.xcreatewindow.window, event.xcreatewindow.width,
            event.xcreatewindow.height);
    } else if (event.type == ConfigureNotify) {
      struct Tracked* t = Find(event.xconfigure.window);
      if (t) {
        t->width = event.xconfigure.width;
        t->height = event.xconfigure.height;
      }
    } else if (event.type == MapNotify && event.xmap.event == root) {
      struct Tracked* t = Find(event.xmap.window);
      if (!t) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, event.xmap.window, &attributes)) continue;
        t = Track(display, event.xmap.window, attributes.width, attributes.height);
        if (!t) continue;
      }
      if (t->mapped < 0) t->mapped = Elapsed();
      if (!target && t->width == targetWidth && t->height == targetHeight) target = t;
    } else if (event.type == damageEvent + XDamageNotify) {
      const XDamageNotifyEvent* damage = (const XDamageNotifyEvent*)&event;
      struct Tracked* t = Find(damage->drawable);
      XDamageSubtract(display, damage->damage, None, None);
      if (t && t->mapped >= 0 && t->painted < 0) {
        t->painted = Elapsed();
        if (!first) first = t;
      }
    }
  }

  int ok = !ended && target && target->painted >= 0;
  double cpu = -1;
  long hwm = -1, rss = -1;
  pid_t owner = target ? OwnerOf(display, target->window) : 0;
  if (owner <= 0) owner = child;
  double drawn = -1;
  if (ok) {
    /* Damage to the target goes on being read while the program settles. */
    double last = target->painted;
    const double settled = Elapsed() + settleMs;
    for (;;) {
      const double now = Elapsed();
      if (drawn < 0 && now - last > QUIET_MS) drawn = last;
      if (now >= settled) break;
      if (!XPending(display)) {
        const double left = settled - now;
        poll(&connection, 1, left < 20 ? (int)left + 1 : 20);
        continue;
      }
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != damageEvent + XDamageNotify) continue;
      const XDamageNotifyEvent* damage = (const XDamageNotifyEvent*)&event;
      XDamageSubtract(display, damage->damage, None, None);
      if (damage->drawable == target->window && drawn < 0) last = Elapsed();
    }
    if (waitpid(child, &status, WNOHANG) == child && owner == child) {
      ended = 1;
      ok = 0;
    } else {
      cpu = CpuMs(owner);
      hwm = ProcField(owner, "status", "VmHWM:");
      rss = ProcField(owner, "smaps_rollup", "Rss:");
    }
  }
  if (owner != child) kill(owner, SIGKILL);
  if (!ended) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
  }
  if (!ok) {
    fprintf(stderr, "%s: the %dx%d window was not drawn\n", argv[optind], targetWidth,
            targetHeight);
    return 1;
  }
  printf("%.1f %.1f %.1f %.1f %.0f %ld %ld %.1f\n", first->mapped, first->painted, target->mapped,
         target->painted, cpu, hwm, rss, drawn);
  XCloseDisplay(display);
  return 0;
}
