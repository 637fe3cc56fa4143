#pragma once
// The performance data helper library of the running system.
#include "meter/measure/counter_library_loader.h"

// The process-wide loader: every query source of the program shares its module and
// its use count.
CounterLibraryLoader& processCounterLibraryLoader();

// Loads through the system, binds the functions by name and reports a missing
// library in a stop-icon message box captioned with the program's name.
class Win32LibraryPlatform : public LibraryPlatform {
public:
    std::string systemDirectory() override;
    void* loadLibrary(const std::string& path) override;
    void freeLibrary(void* module) override;
    std::unique_ptr<CounterLibrary> bindFunctions(void* module) override;
    void showError(const std::string& message) override;
};
