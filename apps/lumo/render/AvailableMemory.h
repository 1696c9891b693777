#pragma once

#include <cstdint>

namespace vel::lumo {

// Bytes the machine can still give a program without taking them from
// another: the memory the system calls available, and free swap.
std::uint64_t AvailableMemory();

} // namespace vel::lumo
