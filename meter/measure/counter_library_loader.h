#pragma once
// Keeps the performance data helper library loaded while any query source needs it:
// one module and one use count for the whole process. The first source loads it (the
// copy in the system folder first, then whatever the plain name finds), the last one
// to let go frees it. When it cannot be found at all the user is told once per run,
// since none of the usage meters can work without it.
#include "meter/measure/counter_library.h"
#include "meter/res/resource.h"

#include <memory>
#include <string>

// The text of string 307.
extern const char* const kPdhMissingMessage;

// What loading needs from the system.
class LibraryPlatform {
public:
    virtual ~LibraryPlatform() = default;
    virtual std::string systemDirectory() = 0;
    // An opaque module, or nullptr.
    virtual void* loadLibrary(const std::string& path) = 0;
    virtual void freeLibrary(void* module) = 0;
    // The function table of a loaded module.
    virtual std::unique_ptr<CounterLibrary> bindFunctions(void* module) = 0;
    // An error message box.
    virtual void showError(const std::string& message) = 0;
};

class CounterLibraryLoader {
public:
    explicit CounterLibraryLoader(LibraryPlatform& platform) : platform_(platform) {}
    ~CounterLibraryLoader();
    CounterLibraryLoader(const CounterLibraryLoader&) = delete;
    CounterLibraryLoader& operator=(const CounterLibraryLoader&) = delete;

    // Takes one use of the library, loading it first when nobody holds it.
    bool acquire();
    // Gives one use back; the last one frees the library.
    void release();

    int useCount() const { return useCount_; }
    // The bound functions while the library is loaded, else nullptr.
    CounterLibrary* library() const { return library_.get(); }

private:
    void* load();

    LibraryPlatform& platform_;
    void* module_ = nullptr;
    std::unique_ptr<CounterLibrary> library_;
    int useCount_ = 0;
    bool missingShown_ = false;
};
