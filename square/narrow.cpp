// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "narrow.h"

#include "fatal.h"

#include <cmath>
#include <limits>
#include <string>

namespace {

// The message is only written on failure, as every tick and every drawing of the board narrows a value.
template<typename Int, typename Original> Int checked(double value, Original original)
{
    if (!(value >= std::numeric_limits<Int>::min() && value <= std::numeric_limits<Int>::max()))
        fatalError("препълване: " + std::to_string(original) + " не се побира в " + std::to_string(sizeof(Int) * 8)
                   + " бита");
    return static_cast<Int>(value);
}

} // namespace

std::int16_t toInt16(long long value)
{
    return checked<std::int16_t>(static_cast<double>(value), value);
}

std::int16_t roundToInt16(double value)
{
    // nearbyint follows the default rounding mode, round-half-to-even.
    return checked<std::int16_t>(std::nearbyint(value), value);
}

std::uint8_t toUInt8(long long value)
{
    return checked<std::uint8_t>(static_cast<double>(value), value);
}
