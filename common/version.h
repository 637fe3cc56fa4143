#pragma once
// The product's version, kept here only: the version resources of Brellix.exe and its
// three libraries, the version the update check reports as running, and the installer
// and its version file (scripts/package reads the three numbers from this file).
// Plain #defines: the resource compiler reads this too.

#define BRELLIX_VERSION_MAJOR 2
#define BRELLIX_VERSION_MINOR 6
#define BRELLIX_VERSION_PATCH 0

#define BRELLIX_VERSION_STRINGIZE_(x) #x
#define BRELLIX_VERSION_STRINGIZE(x) BRELLIX_VERSION_STRINGIZE_(x)
// "2.6.0": adjacent literals, joined by the C++ compiler and by windres alike.
#define BRELLIX_VERSION_TEXT                                                                       \
    BRELLIX_VERSION_STRINGIZE(BRELLIX_VERSION_MAJOR)                                               \
    "." BRELLIX_VERSION_STRINGIZE(BRELLIX_VERSION_MINOR) "." BRELLIX_VERSION_STRINGIZE(            \
        BRELLIX_VERSION_PATCH)
