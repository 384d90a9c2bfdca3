// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// window_probe starts one program on the current X display and measures from outside what its
// window costs: the time from exec to the first painted frame, resident memory, CPU use and X
// damage events per second. It knows nothing of the program, so a Qt program and an Xt program
// are measured the same way; running the runs, repeating them and summing up is left to run.sh.
//
//   window_probe [-v] [-q] [-g GAP_MS] [-s SERVER_PID] -- PROGRAM [ARGS...]
//
//   -v  print the timeline of maps and damage to stderr, until 0.5 s after the first frame
//   -q  stop after the first frame (a warm-up run)
//   -g  the quiet gap that ends the first frame, 50 ms unless given
//   -s  also measure the CPU time of the X server over the same ten seconds
//
// Results go to stdout as "key=value" lines. The program's own stderr is read through a pipe
// and passed on to stdout as "stderr SECONDS LINE", stamped with the time since exec, so that
// run.sh can pick out the lines a program prints about itself within the measuring window.
#define _GNU_SOURCE
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdbool.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

// A frame is over when the window has been quiet this long. Qt and Xt both draw a frame in a
// burst of requests a few milliseconds apart, and the lamp timer first ticks 100 ms after load.
static int settle_ms = 50;
// Memory is read once start-up is surely over; CPU and damage are then counted over a window
// long enough to hold ten one-second phases of the lamp chase.
enum { RSS_AT_MS = 3000, COUNT_FOR_MS = 10000, FIRST_FRAME_TIMEOUT_MS = 3000 };

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static void die(const char* what) {
    fprintf(stderr, "window_probe: %s\n", what);
    exit(2);
}

// A size in kB from /proc/PID/status, FIELD being e.g. "VmRSS:".
static long status_kb(pid_t pid, const char* field) {
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* f = fopen(path, "r");
    long kb = -1;
    size_t n = strlen(field);
    while (f && fgets(line, sizeof line, f))
        if (strncmp(line, field, n) == 0 && sscanf(line + n, "%ld", &kb) == 1)
            break;
    if (f)
        fclose(f);
    return kb;
}

// From /proc/PID/stat, for the whole process (all threads): major page faults (field 12), and
// utime + stime in clock ticks (fields 14 and 15). The command name in field 2 may hold spaces,
// so fields are counted from its closing parenthesis. Both are -1 when the file is unreadable.
typedef struct {
    long long major_faults, cpu_ticks;
} proc_stat;

static proc_stat read_proc_stat(pid_t pid) {
    proc_stat s = {-1, -1};
    char path[64], buf[1024];
    snprintf(path, sizeof path, "/proc/%d/stat", (int)pid);
    FILE* f = fopen(path, "r");
    if (!f)
        return s;
    size_t n = fread(buf, 1, sizeof buf - 1, f);
    fclose(f);
    buf[n] = '\0';
    char* p = strrchr(buf, ')');
    if (!p)
        return s;
    unsigned long long majflt, utime, stime;
    if (sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %llu %*u %llu %llu", &majflt, &utime,
               &stime) == 3) {
        s.major_faults = (long long)majflt;
        s.cpu_ticks = (long long)(utime + stime);
    }
    return s;
}

static long long cpu_ticks(pid_t pid) {
    return read_proc_stat(pid).cpu_ticks;
}

// Time on the CPU in nanoseconds summed over all threads, from /proc/PID/task/*/schedstat.
// Clock ticks come in 10 ms steps, a tenth of a percent of a core over ten seconds, which is
// too coarse beside a target of 0.3 %; the scheduler's own count is exact.
static long long cpu_ns(pid_t pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR* dir = opendir(path);
    if (!dir)
        return -1;
    long long sum = 0;
    for (struct dirent* e; (e = readdir(dir));) {
        if (e->d_name[0] == '.')
            continue;
        char file[384];
        snprintf(file, sizeof file, "%s/%s/schedstat", path, e->d_name);
        FILE* f = fopen(file, "r");
        long long ns = 0;
        if (f && fscanf(f, "%lld", &ns) == 1)
            sum += ns;
        if (f)
            fclose(f);
    }
    closedir(dir);
    return sum;
}

// Starts the program with its stderr on a pipe. The exec time is taken in the child right
// before execvp and handed back through a close-on-exec pipe, which also tells an exec that
// failed from one that worked.
static pid_t spawn(char** argv, int* err_fd, double* exec_ms) {
    int status_pipe[2], err_pipe[2];
    if (pipe2(status_pipe, O_CLOEXEC) || pipe2(err_pipe, O_CLOEXEC))
        die("pipe failed");
    pid_t pid = fork();
    if (pid < 0)
        die("fork failed");
    if (pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO); // our stdout carries the figures
        dup2(err_pipe[1], STDERR_FILENO);
        prctl(PR_SET_PDEATHSIG, SIGTERM); // an interrupted benchmark leaves no program behind
        double t = now_ms();
        (void)!write(status_pipe[1], &t, sizeof t);
        execvp(argv[0], argv);
        int e = errno;
        (void)!write(status_pipe[1], &e, sizeof e);
        _exit(127);
    }
    close(status_pipe[1]);
    close(err_pipe[1]);
    int e;
    if (read(status_pipe[0], exec_ms, sizeof *exec_ms) != sizeof *exec_ms ||
        read(status_pipe[0], &e, sizeof e) > 0) {
        fprintf(stderr, "window_probe: cannot run %s\n", argv[0]);
        exit(2);
    }
    close(status_pipe[0]);
    *err_fd = err_pipe[0];
    return pid;
}

static void stop(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 40; ++i) {
        if (waitpid(pid, NULL, WNOHANG) == pid)
            return;
        usleep(50 * 1000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, NULL, 0);
}

typedef struct {
    int16_t x, y;
    uint16_t w, h;
} rect;

static bool overlaps(rect a, xcb_rectangle_t b) {
    return b.x < a.x + a.w && a.x < b.x + b.width && b.y < a.y + a.h && a.y < b.y + b.height;
}

// Passes on complete lines of the program's stderr, stamped with seconds since exec.
static bool pass_on_stderr(int fd, double exec_ms) {
    static char buf[8192];
    static size_t used;
    ssize_t n = read(fd, buf + used, sizeof buf - 1 - used);
    if (n <= 0)
        return false;
    used += (size_t)n;
    buf[used] = '\0';
    char* start = buf;
    for (char* nl; (nl = strchr(start, '\n')); start = nl + 1) {
        *nl = '\0';
        printf("stderr %.3f %s\n", (now_ms() - exec_ms) / 1e3, start);
    }
    used = (size_t)(buf + used - start);
    memmove(buf, start, used);
    if (used == sizeof buf - 1)
        used = 0; // a line too long to be one of ours
    return true;
}

int main(int argc, char** argv) {
    bool verbose = false, quick = false;
    pid_t server_pid = 0;
    int opt;
    while ((opt = getopt(argc, argv, "+vqg:s:")) != -1) {
        if (opt == 'v')
            verbose = true;
        else if (opt == 'q')
            quick = true;
        else if (opt == 'g')
            settle_ms = atoi(optarg);
        else if (opt == 's')
            server_pid = atoi(optarg);
        else
            return 2;
    }
    if (optind >= argc)
        die("usage: window_probe [-v] [-q] [-g GAP_MS] [-s SERVER_PID] -- PROGRAM [ARGS...]");

    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c))
        die("cannot open the display");
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_damage_id);
    if (!ext || !ext->present)
        die("the X server has no DAMAGE extension");
    free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), NULL));

    // Watch the whole screen the way a VNC server does: every drawing request in any window
    // reports its rectangle on the root. Map notifications of top-level windows come with it.
    uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_damage_create(c, xcb_generate_id(c), root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    // A round trip, so that the server watches before the program can draw anything.
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL));

    int err_fd;
    double exec_ms;
    pid_t pid = spawn(argv + optind, &err_fd, &exec_ms);

    xcb_window_t window = XCB_NONE;
    rect area = {0, 0, 0, 0};
    double map_ms = 0, first_damage_ms = 0, last_damage_ms = 0, first_frame_ms = 0;
    long rss = -1, rss_anon = -1;
    long long ticks0 = 0, ns0 = 0, server_ns0 = 0, first_damage_cpu_ns = -1;
    long long first_damage_major_faults = -1;
    long damage_events = 0;
    double damage_pixels = 0;
    bool counting = false, program_alive = true;
    const double end_ms = exec_ms + RSS_AT_MS + COUNT_FOR_MS;

    struct pollfd fds[2] = {{xcb_get_file_descriptor(c), POLLIN, 0}, {err_fd, POLLIN, 0}};
    for (;;) {
        double t = now_ms();
        if (!first_frame_ms && last_damage_ms && t - last_damage_ms >= settle_ms) {
            first_frame_ms = last_damage_ms;
            if (quick)
                break;
        }
        if (!first_frame_ms && t - exec_ms > FIRST_FRAME_TIMEOUT_MS && !quick)
            first_frame_ms = -1; // never painted, or never stopped painting: report no figure
        if (quick && t - exec_ms > FIRST_FRAME_TIMEOUT_MS)
            break;
        if (!counting && t - exec_ms >= RSS_AT_MS) {
            rss = status_kb(pid, "VmRSS:");
            // Most of a Qt program's resident memory is shared libraries and fonts, which other
            // programs on a desktop share; the anonymous part is its own.
            rss_anon = status_kb(pid, "RssAnon:");
            ticks0 = cpu_ticks(pid);
            ns0 = cpu_ns(pid);
            server_ns0 = server_pid ? cpu_ns(server_pid) : 0;
            counting = true;
        }
        if (t >= end_ms)
            break;

        // Wake for the next thing due: the end of a quiet gap, the memory reading, the end.
        double due = end_ms;
        if (!counting)
            due = exec_ms + RSS_AT_MS;
        if (!first_frame_ms && last_damage_ms && last_damage_ms + settle_ms < due)
            due = last_damage_ms + settle_ms;
        int timeout = (int)(due - t) + 1;
        fds[1].fd = program_alive ? err_fd : -1;
        if (poll(fds, 2, timeout) < 0 && errno != EINTR)
            die("poll failed");
        if (fds[1].revents && !pass_on_stderr(err_fd, exec_ms))
            program_alive = false;
        if (!program_alive && waitpid(pid, NULL, WNOHANG) == pid)
            die("the program ended before the measurement did");

        for (xcb_generic_event_t* e; (e = xcb_poll_for_event(c)); free(e)) {
            double at = now_ms();
            uint8_t type = e->response_type & 0x7f;
            if (type == XCB_MAP_NOTIFY) {
                xcb_map_notify_event_t* m = (xcb_map_notify_event_t*)e;
                if (verbose)
                    fprintf(stderr, "%8.1f ms  map 0x%x%s\n", at - exec_ms, m->window,
                            m->override_redirect ? " (override-redirect)" : "");
                // The first ordinary top-level window is the program's main window; tooltips
                // and menus are override-redirect and come later.
                if (window == XCB_NONE && !m->override_redirect) {
                    window = m->window;
                    map_ms = at;
                    xcb_get_geometry_reply_t* g =
                        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), NULL);
                    if (g)
                        area = (rect){g->x, g->y, g->width, g->height};
                    free(g);
                    if (verbose)
                        fprintf(stderr, "           window %ux%u at %d,%d\n", area.w, area.h,
                                area.x, area.y);
                    // There is no window manager on the server, so do its one job that changes
                    // what a program draws: give the new window the keyboard focus. Qt only
                    // activates a window (and blinks the text cursor) when it has the focus.
                    xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
                    xcb_flush(c);
                }
            } else if (type == XCB_CONFIGURE_NOTIFY) {
                xcb_configure_notify_event_t* n = (xcb_configure_notify_event_t*)e;
                if (n->window == window)
                    area = (rect){n->x, n->y, n->width, n->height};
            } else if (type == ext->first_event + XCB_DAMAGE_NOTIFY) {
                xcb_damage_notify_event_t* d = (xcb_damage_notify_event_t*)e;
                if (window == XCB_NONE || !overlaps(area, d->area))
                    continue;
                if (verbose && (!first_frame_ms || at - first_frame_ms < 500))
                    fprintf(stderr,
                            "%8.1f ms  damage %ux%u at %d,%d  (server time %u, ours %.0f)\n",
                            at - exec_ms, d->area.width, d->area.height, d->area.x, d->area.y,
                            d->timestamp, at);
                if (!first_frame_ms) {
                    if (!first_damage_ms) {
                        first_damage_ms = at;
                        // On a busy machine the wall time to the first frame stretches with
                        // the load; the CPU time the program spent getting there much less.
                        first_damage_cpu_ns = cpu_ns(pid);
                        // Pages read back from disk: after a while idle, a machine that pages
                        // out unused file pages makes the next start wait for them.
                        first_damage_major_faults = read_proc_stat(pid).major_faults;
                    }
                    last_damage_ms = at;
                }
                if (counting) {
                    ++damage_events;
                    damage_pixels += (double)d->area.width * d->area.height;
                }
            }
        }
        if (xcb_connection_has_error(c))
            die("lost the display");
    }

    // utime and stime are read once more for the end of the window, then the program is ended.
    long long ticks1 = cpu_ticks(pid), ns1 = cpu_ns(pid);
    long long server_ns1 = server_pid ? cpu_ns(server_pid) : 0;
    while (program_alive && poll(&fds[1], 1, 0) > 0 && pass_on_stderr(err_fd, exec_ms)) {
    }
    stop(pid);

    double seconds = COUNT_FOR_MS / 1e3;
    printf("count_window_s=%.3f %.3f\n", RSS_AT_MS / 1e3, (RSS_AT_MS + COUNT_FOR_MS) / 1e3);
    printf("map_ms=%.1f\n", map_ms ? map_ms - exec_ms : -1);
    printf("first_damage_ms=%.1f\n", first_damage_ms ? first_damage_ms - exec_ms : -1);
    printf("first_frame_ms=%.1f\n", first_frame_ms > 0 ? first_frame_ms - exec_ms : -1);
    printf("first_damage_cpu_ms=%.1f\n", first_damage_cpu_ns >= 0 ? first_damage_cpu_ns / 1e6 : -1);
    printf("first_damage_major_faults=%lld\n", first_damage_major_faults);
    printf("window=%ux%u\n", area.w, area.h);
    if (!quick) {
        printf("rss_kb=%ld\n", rss);
        printf("rss_anon_kb=%ld\n", rss_anon);
        printf("cpu_percent=%.3f\n", 100.0 * (ticks1 - ticks0) / sysconf(_SC_CLK_TCK) / seconds);
        printf("cpu_sched_percent=%.3f\n", 100.0 * (ns1 - ns0) / 1e9 / seconds);
        if (server_pid)
            printf("server_cpu_percent=%.3f\n", 100.0 * (server_ns1 - server_ns0) / 1e9 / seconds);
        printf("damage_per_s=%.2f\n", damage_events / seconds);
        printf("damage_kpixels_per_s=%.1f\n", damage_pixels / 1e3 / seconds);
    }
    xcb_disconnect(c);
    return 0;
}
