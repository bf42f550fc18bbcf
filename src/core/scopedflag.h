#pragma once

namespace korvane {

// Sets a flag for the life of a scope and gives it back its old value at the end, however the
// scope is left.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag, bool value = true) : flag_(flag), old_(flag) { flag_ = value; }
    ~ScopedFlag() { flag_ = old_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace korvane
