// SPDX-License-Identifier: MIT
// Starts a program and measures the time until its window with the given title
// is mapped on the X server, then its resident memory once it has settled, and
// whether it mapped any OpenGL driver.
// Usage: mapwatch TITLE SETTLE_MS PROGRAM [ARGS...]
// Prints: milliseconds-to-map resident-KiB gl-driver-mapped(0/1)

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string Title(Display* display, Window window)
{
    char* name = nullptr;
    std::string title;
    if (XFetchName(display, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

long ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

bool MapsGlDriver(pid_t pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find("/dri/") != std::string::npos || line.find("mesa") != std::string::npos
            || line.find("gallium") != std::string::npos || line.find("swrast") != std::string::npos)
            return true;
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: mapwatch TITLE SETTLE_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const std::string wanted = argv[1];
    const int settle = std::atoi(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "mapwatch: no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }

    double elapsed = -1;
    const int fd = ConnectionNumber(display);
    while (elapsed < 0) {
        if (!XPending(display)) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(fd, &set);
            timeval timeout{10, 0};
            if (select(fd + 1, &set, nullptr, nullptr, &timeout) <= 0)
                break;
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && Title(display, event.xmap.window) == wanted)
            elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }

    std::this_thread::sleep_for(std::chrono::milliseconds(settle));
    const long rss = ResidentKiB(child);
    const bool gl = MapsGlDriver(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (elapsed < 0) {
        std::fprintf(stderr, "mapwatch: no window titled %s appeared\n", wanted.c_str());
        return 1;
    }
    std::printf("%.2f %ld %d\n", elapsed, rss, gl ? 1 : 0);
    return 0;
}
