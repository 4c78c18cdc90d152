// OLE initialised on the calling thread for the lifetime of the object, as
// the window runtime does for the programs (test programs and probe only).
#pragma once

#include <ole2.h>

class OleSession {
public:
    OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    ~OleSession() {
        if (initialised_) OleUninitialize();
    }
    bool Initialised() const { return initialised_; }

private:
    bool initialised_;
};
