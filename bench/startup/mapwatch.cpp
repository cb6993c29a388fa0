// Starts a program and reports, in milliseconds from its start, when its first window was
// mapped on the X server and when that window first showed the picture it settles on (its
// first full frame), and the program's peak resident memory. The program is then killed.
//
//   corvanta-mapwatch PROGRAM [ARGS...]   prints: <map ms> <first frame ms> <peak kilobytes>
//
// The map is exact: the root window is watched for the MapNotify event. The first full frame
// is found by reading the mapped window's pixels about every millisecond until they have not
// changed for SettleTime; the frame is the first moment the final picture was seen. Reading
// every millisecond puts a little load on the X server while the program paints, the same
// for every program measured.
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto SettleTime = 300ms;
constexpr auto PollInterval = 1ms;
constexpr auto GiveUpAfter = 10s; // a window that never stops changing

double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The first window mapped on the screen, or 0 when the connection breaks first.
xcb_window_t WaitForMap(xcb_connection_t* connection) {
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        xcb_window_t mapped = 0;
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
            mapped = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
        std::free(event);
        if (mapped != 0)
            return mapped;
    }
    return 0;
}

// The window's pixels, or nothing when the window is gone.
std::optional<std::string> Picture(xcb_connection_t* connection, xcb_window_t window,
                                   uint16_t width, uint16_t height) {
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, width, height, ~0U),
        nullptr);
    if (reply == nullptr)
        return std::nullopt;
    std::string pixels(reinterpret_cast<const char*>(xcb_get_image_data(reply)),
                       static_cast<std::size_t>(xcb_get_image_data_length(reply)));
    std::free(reply);
    return pixels;
}

// When the window first showed the picture it then keeps for SettleTime, or nothing when it
// never settles or disappears.
std::optional<Clock::time_point> WaitForFirstFullFrame(xcb_connection_t* connection,
                                                       xcb_window_t window) {
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    if (geometry == nullptr)
        return std::nullopt;
    const uint16_t width = geometry->width;
    const uint16_t height = geometry->height;
    std::free(geometry);

    // A hash of every picture seen, with when it was first seen: a picture can come back (a
    // blinking cursor), and it is its first appearance that counts.
    std::vector<std::pair<std::size_t, Clock::time_point>> seen;
    std::string current;
    const auto start = Clock::now();
    auto lastChange = start;
    for (auto now = start; seen.empty() || now - lastChange < SettleTime; now = Clock::now()) {
        if (now - start > GiveUpAfter)
            return std::nullopt;
        std::optional<std::string> picture = Picture(connection, window, width, height);
        if (!picture)
            return std::nullopt;
        if (seen.empty() || *picture != current) {
            current = std::move(*picture);
            lastChange = now;
            seen.emplace_back(std::hash<std::string>{}(current), now);
        }
        std::this_thread::sleep_for(PollInterval);
    }
    const std::size_t settled = seen.back().first;
    for (const auto& [hash, when] : seen)
        if (hash == settled)
            return when;
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X server\n");
        return 2;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror("exec");
        _exit(127);
    }
    double mapped = -1;
    double firstFrame = -1;
    if (const xcb_window_t window = WaitForMap(connection)) {
        mapped = MillisecondsBetween(start, Clock::now());
        if (const auto frame = WaitForFirstFullFrame(connection, window))
            firstFrame = MillisecondsBetween(start, *frame);
    }
    // Killed only now, so the peak memory includes the first paint.
    kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    std::printf("%.1f %.1f %ld\n", mapped, firstFrame, usage.ru_maxrss);
    xcb_disconnect(connection);
    return mapped < 0 || firstFrame < 0 ? 1 : 0;
}
