#include "meter/measure/pdh_counter.h"

#include "meter/measure/pdh_query_source.h"

#include <cstdio>
#include <vector>

namespace {

struct KindPaths {
    PathIdSet nt4;
    PathIdSet nt5;
};

KindPaths pathsOf(PdhCounterKind kind)
{
    using namespace CounterPathId;
    switch (kind) {
    case PdhCounterKind::Cpu:
        return {{kCpuTotalNT4, 0, 0, 0, 0, 0}, {600, 603, 606, 609, 612, 615}};
    case PdhCounterKind::Cpu1:
        return {{kCpu0NT4, 0, 0, 0, 0, 0}, {601, 604, 607, 610, 613, 616}};
    case PdhCounterKind::Cpu2:
        return {{kCpu1NT4, 0, 0, 0, 0, 0}, {602, 605, 608, 611, 614, 617}};
    case PdhCounterKind::Disk:
        return {consecutivePathIds(kDiskTotal), {}};
    case PdhCounterKind::Uptime:
        return {{540, 541, 0, 543, 544, 545}, {}};
    case PdhCounterKind::Network:
        break;
    }
    return {};
}

} // namespace

bool PdhCounter::Attach(CounterSource* source)
{
    MeterCounter::Attach(source);
    query_ = dynamic_cast<PdhQuerySource*>(source);
    return query_ != nullptr;
}

void PdhCounter::SetPathIds()
{
    const KindPaths paths = pathsOf(kind_);
    nt4Ids_ = paths.nt4;
    nt5Ids_ = paths.nt5;
}

bool PdhCounter::Start()
{
    handle_ = nullptr;
    addedPath_.clear();
    if (query_ == nullptr || query_->library() == nullptr)
        return false;
    SetPathIds();
    const PlatformFacts& facts = query_->environment().facts;
    if (facts.isNT && facts.isNT5 && AddNT5Path())
        return true;
    if (AddNT4Path())
        return true;
    return addEnglishFallback();
}

void PdhCounter::Sample()
{
    std::int32_t v = 0;
    if (handle_ == nullptr || query_ == nullptr || query_->library() == nullptr ||
        query_->library()->formattedLong(handle_, &v) != kPdhOk)
        v = 0;
    setValue(v);
}

std::string PdhCounter::fullPath(const PathIdSet& ids) const
{
    const char* text = counterPathText(choosePathId(ids, query_->environment().facts));
    if (text == nullptr)
        return {};
    return query_->environment().remote.fullForm() + text;
}

bool PdhCounter::addPath(const std::string& path)
{
    PdhCounterHandle handle = nullptr;
    if (path.empty() || query_->query() == nullptr ||
        query_->library()->addCounter(query_->query(), path.c_str(), &handle) != kPdhOk ||
        handle == nullptr)
        return false;
    handle_ = handle;
    addedPath_ = path;
    return true;
}

bool PdhCounter::AddNT5Path()
{
    return addPath(fullPath(nt5Ids_));
}

bool PdhCounter::AddNT4Path()
{
    return addPath(fullPath(nt4Ids_));
}

bool PdhCounter::addEnglishFallback()
{
    CounterLibrary* lib = query_->library();
    if (!query_->environment().facts.isNT5 || !lib->hasAddEnglishCounter() ||
        query_->query() == nullptr)
        return false;
    const int id =
        nt5Ids_[kLanguageEnglish] != 0 ? nt5Ids_[kLanguageEnglish] : nt4Ids_[kLanguageEnglish];
    const char* text = counterPathText(id);
    if (text == nullptr)
        return false;
    const std::string path = query_->environment().remote.fullForm() + text;
    PdhCounterHandle handle = nullptr;
    if (lib->addEnglishCounter(query_->query(), path.c_str(), &handle) != kPdhOk ||
        handle == nullptr)
        return false;
    handle_ = handle;
    addedPath_ = path;
    return true;
}

bool NetworkPdhCounter::AddNT4Path()
{
    const CounterEnvironment& env = query()->environment();
    const int index = env.interfaces.resolve(interfaceIndex_);
    const char* pattern = counterPathText(
        choosePathId(consecutivePathIds(CounterPathId::kNetworkInterface), env.facts));
    if (index >= 0 && pattern != nullptr) {
        const std::string& name = env.interfaces.names()[static_cast<std::size_t>(index)];
        // The instance name is data from the system: format by substitution, never
        // as a format string.
        std::string path = pattern;
        const std::size_t at = path.find("%s");
        if (at != std::string::npos)
            path.replace(at, 2, name);
        // The interfaces were enumerated on the watched computer, so their counter
        // lives there too.
        if (addPath(env.remote.fullForm() + path))
            return true;
    }
    PathIdSet server{};
    server.fill(CounterPathId::kServerBytes);
    return addPath(fullPath(server));
}
