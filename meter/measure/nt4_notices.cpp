#include "meter/measure/nt4_notices.h"

namespace {

const char* const kNetworkNotice =
    "TCP/IP performance counters are NOT installed by default in Windows NT 4. Without TCP/IP "
    "performance information, this graph will only monitor traffic to the file server service, "
    "not all TCP/IP traffic.\n\nTo install TCP/IP performance counters and monitor all TCP/IP "
    "traffic, open the network control panel and install the SNMP Service.";

const char* const kDiskNotice =
    "Disk performance counters are OFF by default in Windows NT 4. To use this graph you must "
    "turn them on. Turning them on will have a slight negative impact on overall system "
    "performance (see Microsoft Knowledge Base article Q102020). I have not noticed any change "
    "on my system.\n\nTo turn on disk performance counters, go to the Devices control panel and "
    "change the startup value of \"Diskperf\" to \"Boot\", then restart your system.";

} // namespace

const char* nt4CounterNotice(MeterKind kind, const PlatformFacts& facts)
{
    if (!facts.isNT || facts.isNT5)
        return nullptr;
    switch (kind) {
    case MeterKind::NetGraph:
        return kNetworkNotice;
    case MeterKind::DiskGraph:
        return kDiskNotice;
    default:
        return nullptr;
    }
}
