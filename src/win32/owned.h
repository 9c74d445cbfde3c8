// Holders for what the program owns: each closes its handle, key, menu or interface when it goes
// out of scope, so no branch has to remember to. Nothing below this folder includes the
// program's own headers; every other folder may include it.
#pragma once

#include <windows.h>

#include <utility>

// One handle of type Handle, closed with Close (a function object: the system's close functions
// are imported from DLLs and cannot be template arguments themselves).
template <class Handle, class Close>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : held(handle) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : held(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return held; }
    explicit operator bool() const { return held != Handle{}; }
    // For the calls that hand out a handle through a pointer: what was held is closed first.
    Handle* put() {
        reset();
        return &held;
    }
    void reset(Handle handle = Handle{}) {
        if (held != Handle{})
            Close{}(held);
        held = handle;
    }
    Handle release() { return std::exchange(held, Handle{}); }

private:
    Handle held{};
};

struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct CloseRegistryKey {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct DestroyMenuHandle {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};

// Events and tokens (never INVALID_HANDLE_VALUE: the calls that make them answer null).
using OwnedHandle = Owned<HANDLE, CloseKernelHandle>;
using OwnedKey = Owned<HKEY, CloseRegistryKey>;
using OwnedMenu = Owned<HMENU, DestroyMenuHandle>;

// One reference to a COM interface, released when it goes out of scope.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& other) noexcept : held(other.release()) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            held = other.release();
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* get() const { return held; }
    Interface* operator->() const { return held; }
    explicit operator bool() const { return held != nullptr; }
    // For the calls that hand out an interface through a pointer: what was held is released
    // first.
    Interface** put() {
        reset();
        return &held;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    void reset() {
        if (held)
            held->Release();
        held = nullptr;
    }
    Interface* release() { return std::exchange(held, nullptr); }

private:
    Interface* held = nullptr;
};
