#include "meter/measure/pdh_query_source.h"

PdhQuerySource::~PdhQuerySource()
{
    if (query_ != nullptr && library() != nullptr)
        library()->closeQuery(query_);
    if (holdsLibrary_)
        loader_.release();
}

bool PdhQuerySource::Initialize()
{
    if (!holdsLibrary_)
        holdsLibrary_ = loader_.acquire();
    return holdsLibrary_;
}

bool PdhQuerySource::BeginStart()
{
    CounterLibrary* lib = library();
    if (lib == nullptr)
        return false;
    BeginStop(); // a query left open by a start without a stop would leak
    PdhQueryHandle query = nullptr;
    if (lib->openQuery(&query) != kPdhOk)
        return false;
    query_ = query;
    return true;
}

void PdhQuerySource::BeginCollect()
{
    if (query_ != nullptr)
        library()->collectQueryData(query_);
}

void PdhQuerySource::BeginStop()
{
    // A query that never opened has nothing to close.
    if (query_ != nullptr)
        library()->closeQuery(query_);
    query_ = nullptr;
}
