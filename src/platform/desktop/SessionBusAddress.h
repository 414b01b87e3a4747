#pragma once

namespace luma {

// Where DBUS_SESSION_BUS_ADDRESS is not set, sets it to the session's bus when the session has one
// at its usual place ($XDG_RUNTIME_DIR/bus), and otherwise to no bus at all. Left unset, the D-Bus
// library would start a bus of its own at the first connection that Qt or we open (autolaunch),
// and that bus would outlive every short saver run. Run before the application object exists.
void settleSessionBusAddress();

}  // namespace luma
