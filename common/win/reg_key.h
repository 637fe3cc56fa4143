#pragma once
// Owner of an open registry key, so that every path closes it.
#include <windows.h>

class RegKeyOwner {
public:
    explicit RegKeyOwner(HKEY h) : h_(h) {}
    ~RegKeyOwner()
    {
        if (h_ != nullptr)
            RegCloseKey(h_);
    }
    RegKeyOwner(const RegKeyOwner&) = delete;
    RegKeyOwner& operator=(const RegKeyOwner&) = delete;
    HKEY get() const { return h_; }

private:
    HKEY h_;
};
