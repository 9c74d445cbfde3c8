// Holders for COM: the thread's initialisation and a VARIANT, let go when they go out of scope.
#pragma once

#include <dshow.h>

// One CoInitialize on this thread, undone once when the holder goes; a failed initialisation
// (another apartment model already chosen) is not undone, as COM asks.
class ComInitialization {
public:
    ComInitialization() : result(CoInitialize(nullptr)) {}
    ~ComInitialization() {
        if (SUCCEEDED(result))
            CoUninitialize();
    }
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;

private:
    HRESULT result;
};

// A VARIANT that starts empty and is cleared when it goes out of scope.
class OwnedVariant {
public:
    OwnedVariant() {
        VariantInit(&value);
        // VariantInit leaves the value's members as they were; a read that fails leaves them too,
        // and VariantClear would free whatever was there.
        value.bstrVal = nullptr;
    }
    ~OwnedVariant() { VariantClear(&value); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;

    VARIANT* get() { return &value; }
    VARIANT* operator->() { return &value; }

private:
    VARIANT value;
};
