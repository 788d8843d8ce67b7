// Measures a GUI program's start-up: starts it, waits for the first map of a
// top-level window on the X display, and reports the time from the start and
// the program's peak resident memory (VmHWM) a moment after.
//   startup-probe PROGRAM [ARGS...]   prints "MILLISECONDS PEAK_RSS_KIB"
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long peakRssKib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup-probe PROGRAM [ARGS...]\n");
        return 2;
    }
    // Xvfb now and then refuses a connection right after another client has
    // gone; a few tries get past that.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    for (int tries = 1; xcb_connection_has_error(connection) && tries < 20; ++tries) {
        xcb_disconnect(connection);
        usleep(50000);
        connection = xcb_connect(nullptr, nullptr);
    }
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "startup-probe: no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    double milliseconds = -1;
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
        std::free(event);
        if (mapped) {
            milliseconds = std::chrono::duration<double, std::milli>(
                std::chrono::steady_clock::now() - start)
                               .count();
            break;
        }
    }
    // Let the first frame be painted before reading the peak.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const long rss = peakRssKib(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(connection);
    std::printf("%.1f %ld\n", milliseconds, rss);
    return milliseconds < 0 ? 1 : 0;
}
