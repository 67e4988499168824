#pragma once
// The local calendar time of a moment, thread-safe on every system.

#include <ctime>

namespace platform {

std::tm LocalTime(std::time_t t);

}  // namespace platform
