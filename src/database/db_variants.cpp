#include "database/db_variants.h"

#include <cmath>
#include <limits>

#include "framework/core/strings.h"
#include "framework/db/db_field_value.h"

std::string VariantText(const fw::Variant& value)
{
    if (value.IsArray()) {
        return value.Elements().empty() ? std::string() : VariantText(value.Elements().front());
    }
    const auto& held = value.GetValue();
    if (const auto* text = std::get_if<std::string>(&held)) {
        return *text;
    }
    if (const auto* flag = std::get_if<bool>(&held)) {
        return *flag ? "True" : "False";
    }
    if (const auto* integer = std::get_if<std::int64_t>(&held)) {
        if ((value.VarType() & fw::varTypeMask) == fw::varDate) {
            return fw::db::StandardDateTimeText(static_cast<double>(*integer));
        }
        return fw::IntToStr(*integer);
    }
    if (const auto* real = std::get_if<double>(&held)) {
        if ((value.VarType() & fw::varTypeMask) == fw::varDate) {
            return fw::db::StandardDateTimeText(*real);
        }
        return fw::FloatToStr(*real);
    }
    return {};
}

double VariantReal(const fw::Variant& value)
{
    if (value.IsArray()) {
        return value.Elements().empty() ? 0.0 : VariantReal(value.Elements().front());
    }
    const auto& held = value.GetValue();
    if (const auto* integer = std::get_if<std::int64_t>(&held)) {
        return static_cast<double>(*integer);
    }
    if (const auto* real = std::get_if<double>(&held)) {
        return *real;
    }
    if (const auto* flag = std::get_if<bool>(&held)) {
        return *flag ? 1.0 : 0.0;
    }
    if (const auto* text = std::get_if<std::string>(&held)) {
        double result = 0;
        return fw::TryStrToFloat(fw::Trim(*text), result) ? result : 0.0;
    }
    return 0.0;
}

std::int64_t VariantInteger(const fw::Variant& value)
{
    if (const auto* integer = std::get_if<std::int64_t>(&value.GetValue()); integer != nullptr && !value.IsArray()) {
        return *integer;
    }
    const double rounded = std::nearbyint(VariantReal(value));
    if (!std::isfinite(rounded) || rounded < static_cast<double>(std::numeric_limits<std::int64_t>::min())
        || rounded >= static_cast<double>(std::numeric_limits<std::int64_t>::max())) {
        return 0;
    }
    return static_cast<std::int64_t>(rounded);
}
