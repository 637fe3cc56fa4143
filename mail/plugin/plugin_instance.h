#pragma once
// The library's one manager, alive for as long as the library is loaded.
#include "mail/plugin/mail_manager.h"

namespace mail {

CMailManager& mailManager();

} // namespace mail
