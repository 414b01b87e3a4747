// x11-window: makes top-level X11 windows for tests, as a screen saver daemon would. Each line of
// standard input is a command; each answer is one line on standard output:
//
//     create W H X Y     maps a new window there; answers its id in decimal
//     resize ID W H      answers "ok"
//     destroy ID         answers "ok"
//
// The windows go when standard input ends.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

int main() {
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "x11-window: no X display\n");
        return 1;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i) {
        xcb_screen_next(&it);
    }
    const xcb_screen_t* screen = it.data;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string verb;
        words >> verb;
        if (verb == "create") {
            int w = 0, h = 0, x = 0, y = 0;
            words >> w >> h >> x >> y;
            const xcb_window_t window = xcb_generate_id(c);
            const uint32_t values[] = {screen->black_pixel, 1};
            xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, int16_t(x), int16_t(y),
                              uint16_t(w), uint16_t(h), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                              screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT,
                              values);
            xcb_map_window(c, window);
            std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
            std::cout << window << std::endl;
        } else if (verb == "resize") {
            uint32_t window = 0, w = 0, h = 0;
            words >> window >> w >> h;
            const uint32_t values[] = {w, h};
            xcb_configure_window(c, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                                 values);
            std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
            std::cout << "ok" << std::endl;
        } else if (verb == "destroy") {
            uint32_t window = 0;
            words >> window;
            xcb_destroy_window(c, window);
            std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
            std::cout << "ok" << std::endl;
        }
    }
    xcb_disconnect(c);
    return 0;
}
