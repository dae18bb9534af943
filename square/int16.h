#pragma once

#include <cstdint>

// The program keeps counters, sums and offsets as signed 16-bit values;
// leaving that range is an error, never a silent wrap-around.

// The whole number `value` as a 16-bit integer; outside the range is fatal.
std::int16_t toInt16(long long value);

// `value` rounded to the nearest whole number (halves to even) as a
// 16-bit integer; outside the range is fatal.
std::int16_t roundToInt16(double value);
