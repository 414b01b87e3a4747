// x11-window W H X Y [W H X Y...]: maps a top-level window at each geometry, as a screen saver
// daemon makes the windows of its savers, says their ids in decimal on one line, and keeps them
// until its standard input ends.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c) || argc % 4 != 1) {
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    for (int a = 1; a < argc; a += 4) {
        const xcb_window_t window = xcb_generate_id(c);
        const uint32_t values[] = {screen->black_pixel, 1};
        xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root,
                          int16_t(std::atoi(argv[a + 2])), int16_t(std::atoi(argv[a + 3])),
                          uint16_t(std::atoi(argv[a])), uint16_t(std::atoi(argv[a + 1])), 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                          XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(c, window);
        // A round trip: the window exists before anyone hears of it.
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        std::printf(a + 4 < argc ? "%u " : "%u\n", window);
    }
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    xcb_disconnect(c);
    return 0;
}
