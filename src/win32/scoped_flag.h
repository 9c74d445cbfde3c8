// A flag that is set for as long as one call lasts: "this modal box (or dialog) is open".
#pragma once

class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag(flag) { flag = true; }
    ~ScopedFlag() { flag = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag;
};
