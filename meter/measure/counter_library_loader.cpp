#include "meter/measure/counter_library_loader.h"

const char* const kPdhMissingMessage =
    "Unable to find PDH.DLL. None of the usage meters will be available.\n\nTry re-installing "
    "Brellix.";

CounterLibraryLoader::~CounterLibraryLoader()
{
    library_.reset();
    if (module_ != nullptr)
        platform_.freeLibrary(module_);
}

void* CounterLibraryLoader::load()
{
    // The system folder first, so that a stray copy beside the program or in the
    // current folder is not picked up.
    std::string dir = platform_.systemDirectory();
    if (dir.size() > 260)
        dir.resize(260);
    if (void* module = platform_.loadLibrary(dir + "\\PDH.DLL"))
        return module;
    return platform_.loadLibrary("PDH.DLL");
}

bool CounterLibraryLoader::acquire()
{
    if (module_ == nullptr) {
        module_ = load();
        if (module_ == nullptr) {
            if (!missingShown_) {
                missingShown_ = true;
                platform_.showError(kPdhMissingMessage);
            }
            return false;
        }
        library_ = platform_.bindFunctions(module_);
    }
    ++useCount_;
    return true;
}

void CounterLibraryLoader::release()
{
    if (useCount_ == 0)
        return;
    if (--useCount_ == 0) {
        library_.reset();
        platform_.freeLibrary(module_);
        module_ = nullptr;
    }
}
