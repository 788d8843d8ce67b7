// Measures a slider step from outside the program, as a user sees it: a real
// key press (XTest) to the window's frame drawn (DAMAGE), the drawing taken as
// settled when no damage comes for 25 ms. The keyboard focus must be on the
// slider already; the steps go right, then left, 50 at a time.
//   slider-probe WINDOW COUNT   prints "MEDIAN_MS P99_MS MAX_MS"
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

xcb_keycode_t keycodeOf(xcb_connection_t* connection, xcb_keysym_t keysym)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr);
    if (!mapping)
        return 0;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping);
    const int perCode = mapping->keysyms_per_keycode;
    xcb_keycode_t found = 0;
    for (int code = 0; code < count && !found; ++code)
        for (int i = 0; i < perCode && !found; ++i)
            if (keysyms[code * perCode + i] == keysym)
                found = xcb_keycode_t(setup->min_keycode + code);
    std::free(mapping);
    return found;
}

// Damage events until `quiet` passes without one; the time of the last.
Clock::time_point lastDamage(xcb_connection_t* connection, uint8_t damageEvent,
    xcb_damage_damage_t damage, std::chrono::milliseconds quiet, Clock::time_point since)
{
    Clock::time_point last = since;
    pollfd descriptor { xcb_get_file_descriptor(connection), POLLIN, 0 };
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7F) == damageEvent) {
                last = Clock::now();
                xcb_damage_subtract(connection, damage, XCB_NONE, XCB_NONE);
                xcb_flush(connection);
            }
            std::free(event);
        }
        const auto left = quiet - (Clock::now() - std::max(last, since));
        const int wait = int(std::chrono::duration_cast<std::chrono::milliseconds>(left).count());
        if (wait <= 0 || poll(&descriptor, 1, wait) == 0)
            return last;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: slider-probe WINDOW COUNT\n");
        return 2;
    }
    const xcb_window_t window = xcb_window_t(std::strtoul(argv[1], nullptr, 0));
    const int count = std::atoi(argv[2]);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "slider-probe: no X display\n");
        return 1;
    }
    const xcb_query_extension_reply_t* damageExtension
        = xcb_get_extension_data(connection, &xcb_damage_id);
    if (!damageExtension || !damageExtension->present) {
        std::fprintf(stderr, "slider-probe: no DAMAGE extension\n");
        return 1;
    }
    std::free(xcb_damage_query_version_reply(
        connection, xcb_damage_query_version(connection, 1, 1), nullptr));
    const uint8_t damageEvent = damageExtension->first_event + XCB_DAMAGE_NOTIFY;
    const xcb_damage_damage_t damage = xcb_generate_id(connection);
    xcb_damage_create(connection, damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    const xcb_keycode_t keys[] = { keycodeOf(connection, 0xff53), keycodeOf(connection, 0xff51) };
    xcb_flush(connection);
    const auto quiet = std::chrono::milliseconds(25);
    lastDamage(connection, damageEvent, damage, quiet, Clock::now());

    std::vector<double> ms;
    for (int i = 0; i < count; ++i) {
        const xcb_keycode_t key = keys[i / 50 % 2];
        const auto start = Clock::now();
        xcb_test_fake_input(connection, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(connection, XCB_KEY_RELEASE, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(connection);
        const auto drawn = lastDamage(connection, damageEvent, damage, quiet, start);
        if (drawn == start) {
            std::fprintf(stderr, "slider-probe: nothing drawn after step %d\n", i + 1);
            return 1;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(drawn - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%.2f %.2f %.2f\n", ms[ms.size() / 2], ms[ms.size() * 99 / 100 - 1], ms.back());
    xcb_disconnect(connection);
    return 0;
}
