#include "fileops/FaultHooks.h"

#include <utility>

namespace fileops::faults {

Hooks& Current()
{
    static Hooks hooks;
    return hooks;
}

Scoped::Scoped(Hooks hooks)
    : saved_(std::exchange(Current(), std::move(hooks)))
{
}

Scoped::~Scoped()
{
    Current() = std::move(saved_);
}

} // namespace fileops::faults
