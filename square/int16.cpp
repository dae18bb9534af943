#include "int16.h"

#include "fatal.h"

#include <cmath>
#include <limits>
#include <string>

std::int16_t toInt16(long long value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        fatalError("overflow: " + std::to_string(value) + " does not fit in a 16-bit integer");
    return static_cast<std::int16_t>(value);
}

std::int16_t roundToInt16(double value)
{
    // nearbyint follows the default rounding mode, round-half-to-even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() && rounded <= std::numeric_limits<std::int16_t>::max()))
        fatalError("overflow: " + std::to_string(value) + " does not fit in a 16-bit integer");
    return static_cast<std::int16_t>(rounded);
}
