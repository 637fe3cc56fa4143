#include "mail/message/vmime_platform.h"

#include <vmime/platforms/posix/posixHandler.hpp>
#include <vmime/vmime.hpp>

#include <mutex>

namespace mail {

void ensureVmimePlatform()
{
    static std::once_flag once;
    std::call_once(once,
                   [] { vmime::platform::setHandler<vmime::platforms::posix::posixHandler>(); });
}

} // namespace mail
