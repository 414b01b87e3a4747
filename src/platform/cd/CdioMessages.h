#pragma once

namespace luma::cd {

// libcdio's own message handler ends the process on an "error" message, which a broken cue sheet
// is enough to cause. Every use of libcdio calls this first: it replaces that handler, once per
// process, with one that only reports warnings and errors on the Qt message log.
void routeLibcdioMessages();

}  // namespace luma::cd
