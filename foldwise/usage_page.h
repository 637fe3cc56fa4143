#pragma once
// The "Usage" page: the folder usage view for one folder, scanning 100 ms after the
// page appears. The page keeps its own copy of the folder, so it outlives the
// extension object that created it, and holds a module lock from its creation to its
// release.
#include <windows.h>

#include <commctrl.h>

#include <string>

namespace foldwise {

// A page for folder (UTF-8, ending with "\"), or null when none can be made.
HPROPSHEETPAGE createUsagePage(const std::string& folder);

} // namespace foldwise
