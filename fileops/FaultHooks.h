#pragma once
// Points where tests make the file layer fail on purpose: a write that fails
// after some bytes (a full disk), a file that appears just before a copy is
// renamed into place, a failure between the copy and the removal of a moved
// file's source. Empty hooks (the normal case) cost one test each.

#include <cstdint>
#include <functional>
#include <string>

namespace fileops::faults {

struct Hooks {
    // Before each block is written: returns an errno value to fail that write with, or 0.
    std::function<int(uint64_t bytesWritten)> beforeWrite;
    // After a copy is complete and flushed, before it is renamed to target.
    std::function<void(const std::string& target)> beforePlace;
    // A move across file systems, after the copy is in place and before the source is removed:
    // returns an errno value to fail the removal with, or 0.
    std::function<int(const std::string& source)> beforeRemoveSource;
};

Hooks& Current();

// Installs hooks for one scope and restores the previous ones after it.
class Scoped {
public:
    explicit Scoped(Hooks hooks);
    ~Scoped();
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;

private:
    Hooks saved_;
};

} // namespace fileops::faults
