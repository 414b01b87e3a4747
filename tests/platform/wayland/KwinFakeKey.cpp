// Presses and releases left Shift through KWin's fake input, which KWin offers every client when
// started with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1. Ends with 0 once KWin has taken the key, 1
// without a KWin that offers fake input of version 4.
#include "platform/desktop/wayland/WaylandConnection.h"
#include "platform/desktop/wayland/WaylandRoundtrip.h"

#include "fake-input-client-protocol.h"

#include <QCoreApplication>

#include <linux/input-event-codes.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    luma::WaylandConnection::Opened opened = luma::WaylandConnection::open();
    if (!opened.connection) {
        return 1;
    }
    const luma::WaylandPtr<org_kde_kwin_fake_input, org_kde_kwin_fake_input_destroy> input(
        static_cast<org_kde_kwin_fake_input*>(
            opened.connection->bind(org_kde_kwin_fake_input_interface, 4)));
    if (!input || org_kde_kwin_fake_input_get_version(input.get()) < 4) {
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(input.get(), "lumafolio tests", "idle input");
    for (const auto state : {WL_KEYBOARD_KEY_STATE_PRESSED, WL_KEYBOARD_KEY_STATE_RELEASED}) {
        org_kde_kwin_fake_input_keyboard_key(input.get(), KEY_LEFTSHIFT, state);
    }
    return luma::waylandRoundtrip(opened.connection->display(), nullptr, std::chrono::seconds(5))
               ? 0
               : 1;
}
