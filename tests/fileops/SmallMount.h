#pragma once
// A small tmpfs mounted for one test, for a full or read-only file system or a
// second file system. Needs root (mount); tests skip when it is not made.

#include <string>

#include "support/TestSupport.h"

namespace fileopstest {

class SmallMount {
public:
    // sizeKb of room; readOnly mounts it read-only after the optional setup has written to it.
    explicit SmallMount(unsigned sizeKb);
    ~SmallMount();
    SmallMount(const SmallMount&) = delete;
    SmallMount& operator=(const SmallMount&) = delete;

    bool Ok() const { return mounted_; }
    // The mount's top folder, ending in '/'.
    std::string Folder() const { return dir_.Folder(); }
    bool MakeReadOnly();

private:
    testsupport::TempDir dir_;
    bool mounted_ = false;
};

} // namespace fileopstest
