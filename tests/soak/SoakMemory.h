#pragma once
// Resident memory of this process, from the kernel's account of it.

#include <cstdint>

namespace kq9soak {

// The resident set in kB; 0 when it cannot be read.
int64_t ResidentKb();

} // namespace kq9soak
