#pragma once

namespace mail {

// vmime asks its platform handler for the local charset and the time; the handler
// is registered once per process, before the first parse.
void ensureVmimePlatform();

} // namespace mail
