#include "meter/measure/process_list_counter.h"

#include "meter/measure/counter_paths.h"
#include "meter/measure/pdh_query_source.h"

#include <algorithm>

std::string fillInstancePath(const char* pattern, const std::string& instanceName)
{
    std::string path;
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            path += instanceName;
            ++p;
        } else if (p[0] == '%' && p[1] == '%') {
            path += '%';
            ++p;
        } else {
            path += *p;
        }
    }
    return path;
}

ProcessListCounter::ProcessListCounter(PerfDataReader& reader, ProcessTimes& times,
                                       NarrowName narrow)
    : reader_(reader), times_(times), narrow_(narrow)
{
}

bool ProcessListCounter::Attach(CounterSource* source)
{
    MeterCounter::Attach(source);
    query_ = dynamic_cast<PdhQuerySource*>(source);
    return query_ != nullptr;
}

bool ProcessListCounter::Start()
{
    tracker_.clear();
    buffer_.assign(kInitialBufferSize, 0);
    const std::vector<char> counterNames = reader_.englishCounterNames();
    names_ = findProcessCounterNames(counterNames.data(), counterNames.size());
    objectIndex_ = 0;
    for (const char c : names_.objectIndex)
        objectIndex_ = objectIndex_ * 10 + static_cast<std::uint32_t>(c - '0');
    if (!names_.found() || query_ == nullptr)
        return false;
    refresh();
    return !tracker_.entries().empty();
}

void ProcessListCounter::Sample()
{
    if (!names_.found() || query_ == nullptr)
        return;
    readCounters();
    if (options_.readProcessTimes)
        readTimes();
    refresh();
    tracker_.sort(options_.sortOrder);
}

void ProcessListCounter::Stop()
{
    std::vector<std::uint8_t>().swap(buffer_);
    tracker_.clear();
}

void ProcessListCounter::readCounters()
{
    CounterLibrary* lib = query_->library();
    for (TrackedProcess& p : tracker_.entries()) {
        std::int32_t share = 0;
        std::int64_t workingSet = 0;
        if (lib == nullptr || lib->formattedLong(p.timeCounter, &share) != kPdhOk ||
            lib->formattedLarge(p.memoryCounter, &workingSet) != kPdhOk) {
            share = 0;
            workingSet = 0;
        }
        p.share = share;
        p.workingSet = workingSet > 0 ? static_cast<std::uint64_t>(workingSet) : 0;
    }
}

void ProcessListCounter::readTimes()
{
    for (TrackedProcess& p : tracker_.entries()) {
        std::uint32_t seconds = 0;
        // One that cannot be opened keeps its last figure.
        if (times_.totalSeconds(p.pid, &seconds))
            p.totalSeconds = seconds;
    }
}

void ProcessListCounter::refresh()
{
    // A failed or empty read says nothing about the processes: treating it as "all of
    // them ended" would drop and re-add every counter and blank the meter for a tick.
    if (!readProcessList())
        return;
    tracker_.refresh(current_, options_.includeIdle, *this);
}

bool ProcessListCounter::readProcessList()
{
    current_.clear();
    if (buffer_.empty())
        return false;
    for (;;) {
        auto size = static_cast<std::uint32_t>(buffer_.size());
        const PerfDataReader::Status status =
            reader_.performanceData(names_.objectIndex, buffer_.data(), &size);
        if (status == PerfDataReader::Status::MoreData) {
            if (buffer_.size() + kBufferGrowth > kMaximumBufferSize)
                return false;
            buffer_.resize(buffer_.size() + kBufferGrowth);
            continue;
        }
        if (status != PerfDataReader::Status::Ok || size == 0)
            return false;
        const std::size_t returned = std::min<std::size_t>(size, buffer_.size());
        return ::readProcessList(buffer_.data(), returned, objectIndex_, names_.idProcessIndex,
                                 narrow_, current_);
    }
}

bool ProcessListCounter::addCounter(int firstPathId, const std::string& instanceName,
                                    PdhCounterHandle* counter)
{
    CounterLibrary* lib = query_->library();
    const char* pattern =
        counterPathText(choosePathId(consecutivePathIds(firstPathId), query_->environment().facts));
    if (lib == nullptr || pattern == nullptr || query_->query() == nullptr)
        return false;
    // This computer's processes: no remote prefix.
    const std::string path = fillInstancePath(pattern, instanceName);
    PdhCounterHandle handle = nullptr;
    if (lib->addCounter(query_->query(), path.c_str(), &handle) != kPdhOk || handle == nullptr)
        return false;
    *counter = handle;
    return true;
}

bool ProcessListCounter::addCounters(const std::string& instanceName, PdhCounterHandle* time,
                                     PdhCounterHandle* memory)
{
    if (!addCounter(CounterPathId::kProcessTime, instanceName, time))
        return false;
    if (addCounter(CounterPathId::kProcessWorkingSet, instanceName, memory))
        return true;
    // Half a pair would sit in the query unread until it closes.
    query_->library()->removeCounter(*time);
    *time = nullptr;
    return false;
}

void ProcessListCounter::removeCounters(PdhCounterHandle time, PdhCounterHandle memory)
{
    CounterLibrary* lib = query_->library();
    if (lib == nullptr)
        return;
    if (time != nullptr)
        lib->removeCounter(time);
    if (memory != nullptr)
        lib->removeCounter(memory);
}
