#pragma once
// One check on the exchange record: its input fields read, its result fields written.
#include "renewo/tdata.h"
#include "renewo/update_check.h"

#include <functional>

namespace renewo {

// Runs a check with its input, filling its result.
using CheckRunner = std::function<void(const CheckInput&, CheckResult&)>;

// Clears the record's results, runs the check on its input fields and copies the
// results back. An exception from the check passes on to the caller, with
// stopScheduledChecks already delivered and no installer reported.
void checkRecord(SoftwareRenewo::TData& data, const CheckRunner& run);

} // namespace renewo
