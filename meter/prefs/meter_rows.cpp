#include "meter/prefs/meter_rows.h"

#include "meter/timer_labels.h"

const char* const kDiskCountersNotice =
    "Disk performance counters are OFF by default in Windows NT 4. To use this graph you must "
    "turn them on. Turning them on will have a slight negative impact on overall system "
    "performance (see Microsoft Knowledge Base article Q102020). I have not noticed any change "
    "on my system.\n\nTo turn on disk performance counters, go to the Devices control panel and "
    "change the startup value of \"Diskperf\" to \"Boot\", then restart your system.";

const char* const kNetworkCountersNotice =
    "TCP/IP performance counters are NOT installed by default in Windows NT 4. Without TCP/IP "
    "performance information, this graph will only monitor traffic to the file server service, "
    "not all TCP/IP traffic.\n\nTo install TCP/IP performance counters and monitor all TCP/IP "
    "traffic, open the network control panel and install the SNMP Service.";

const std::vector<std::string>& meterColumnHeaders()
{
    static const std::vector<std::string> headers{"Meter",   "Hidden", "Freq.", "Graph", "Avg.",
                                                  "A.Scale", "Height", "Log",   "Other"};
    return headers;
}

namespace {

const char* yesNo(bool on)
{
    return on ? "Yes" : "No";
}

} // namespace

MeterRow meterRow(const MeterRowSource& source, const AppSettings& settings)
{
    const MeterOptions& options = *source.options;
    MeterRow row{source.kind, options.active(), {}};
    row.texts[0] = source.name;
    row.texts[1] = yesNo(options.collapsed());
    const int timer = options.timer();
    if (timer == 0)
        row.texts[2] = driveFrequencyText(settings.timerSeconds[0]);
    else if (timer == 1 || timer == 2)
        row.texts[2] = usageFrequencyText(settings.timerSeconds[static_cast<std::size_t>(timer)]);
    if (const auto* graph = dynamic_cast<const GraphOptions*>(&options)) {
        row.texts[3] = graph->lineGraph() ? "Line" : "Bar";
        row.texts[4] = yesNo(graph->drawAverage());
        row.texts[5] = yesNo(graph->autoScale());
        row.texts[6] = std::to_string(graph->height());
    } else {
        row.texts[6] = "auto";
    }
    if (source.canLog)
        row.texts[7] = yesNo(options.logToFile());
    row.texts[8] = options.otherText();
    return row;
}

std::optional<std::string> Nt4Notices::onSwitchedOn(MeterKind kind)
{
    if (!applies_)
        return std::nullopt;
    if (kind == MeterKind::DiskGraph && !diskShown_) {
        diskShown_ = true;
        return std::string(kDiskCountersNotice);
    }
    if (kind == MeterKind::NetGraph && !networkShown_) {
        networkShown_ = true;
        return std::string(kNetworkCountersNotice);
    }
    return std::nullopt;
}
