// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The program keeps counters, sums and offsets as signed 16-bit values and a
// list index as an unsigned byte; leaving the range is a fatal error, never a
// silent wrap-around.

// `value` as a signed 16-bit integer.
std::int16_t toInt16(long long value);

// `value` rounded to the nearest whole number, halves to even, as a signed
// 16-bit integer.
std::int16_t roundToInt16(double value);

// `value` as an unsigned 8-bit integer.
std::uint8_t toUInt8(long long value);
