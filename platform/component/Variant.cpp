#include "component/Variant.h"

#include <cmath>
#include <limits>

namespace component {

namespace {

// Whole numbers round half to even, as number arguments of calls by name do.
bool roundToInteger(double value, double low, double high, double& rounded)
{
    if (!std::isfinite(value))
        return false;
    rounded = std::nearbyint(value);
    return rounded >= low && rounded <= high;
}

} // namespace

bool Variant::to(bool& result) const
{
    double number = 0;
    if (kind() == Kind::Boolean)
        result = boolean();
    else if (to(number))
        result = number != 0;
    else
        return false;
    return true;
}

bool Variant::to(std::int32_t& result) const
{
    double rounded = 0;
    switch (kind()) {
    case Kind::Boolean:
        result = boolean() ? -1 : 0;
        return true;
    case Kind::Long:
        result = number();
        return true;
    case Kind::Currency:
    case Kind::Double: {
        double value = 0;
        to(value);
        if (!roundToInteger(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
                            rounded))
            return false;
        result = static_cast<std::int32_t>(rounded);
        return true;
    }
    default:
        return false;
    }
}

bool Variant::to(std::uint32_t& result) const
{
    std::int32_t bits = 0;
    if (!to(bits))
        return false;
    result = static_cast<std::uint32_t>(bits);
    return true;
}

bool Variant::to(std::int64_t& result) const
{
    double rounded = 0;
    switch (kind()) {
    case Kind::Boolean:
        result = boolean() ? -10000 : 0;
        return true;
    case Kind::Long:
        result = std::int64_t{number()} * 10000;
        return true;
    case Kind::Currency:
        result = currency();
        return true;
    case Kind::Double:
        // Beyond ±9.2e14 units the amount does not fit ten-thousandths in 64 bits.
        if (!roundToInteger(real() * 10000, -9.2e18, 9.2e18, rounded))
            return false;
        result = static_cast<std::int64_t>(rounded);
        return true;
    default:
        return false;
    }
}

bool Variant::to(double& result) const
{
    switch (kind()) {
    case Kind::Boolean:
        result = boolean() ? -1.0 : 0.0;
        return true;
    case Kind::Long:
        result = number();
        return true;
    case Kind::Currency:
        result = static_cast<double>(currency()) / 10000.0;
        return true;
    case Kind::Double:
        result = real();
        return true;
    default:
        return false;
    }
}

bool Variant::to(std::string& result) const
{
    if (kind() != Kind::Text)
        return false;
    result = text();
    return true;
}

Variant toVariant(bool value)
{
    return Variant(value);
}
Variant toVariant(std::int32_t value)
{
    return Variant(value);
}
Variant toVariant(std::uint32_t value)
{
    return Variant(static_cast<std::int32_t>(value));
}
Variant toVariant(std::int64_t currency)
{
    return Variant(Variant::Currency{currency});
}
Variant toVariant(double value)
{
    return Variant(value);
}
Variant toVariant(std::string value)
{
    return Variant(std::move(value));
}
Variant toVariant(const std::vector<std::string>& texts)
{
    Variant::Array array;
    array.reserve(texts.size());
    for (const std::string& text : texts)
        array.emplace_back(text);
    return Variant(std::move(array));
}

} // namespace component
