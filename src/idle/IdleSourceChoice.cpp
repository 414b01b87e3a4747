#include "idle/IdleSourceChoice.h"

namespace luma {

IdleSourceKind chooseIdleSource(const SessionFacts& facts) {
    if (facts.mutterOnBus) {
        return IdleSourceKind::Mutter;
    }
    if (facts.waylandSession) {
        if (facts.extIdleNotifier) {
            return IdleSourceKind::ExtIdleNotifier;
        }
        return facts.kdeIdle ? IdleSourceKind::KdeIdle : IdleSourceKind::None;
    }
    return facts.x11ScreenSaver ? IdleSourceKind::X11 : IdleSourceKind::None;
}

}  // namespace luma
