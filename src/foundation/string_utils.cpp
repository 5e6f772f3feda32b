#include "foundation/string_utils.h"

#include <array>
#include <cmath>
#include <utility>

#include "framework/core/strings.h"

int PosEx(int start, int end, std::string_view sub, std::string_view text)
{
    const int length = static_cast<int>(text.size());
    if (start < 1) {
        start = 1;
    }
    if (end < 1 || end > length) {
        end = length;
    }
    if (sub.empty() || start > end) {
        return 0;
    }
    const std::string_view range = text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(end - start + 1));
    const size_t found = range.find(sub);
    return found == std::string_view::npos ? 0 : start + static_cast<int>(found);
}

int SplitString(std::string_view text, fw::StringList& list, std::string_view delimiter)
{
    list.Clear();
    if (text.empty()) {
        return 0;
    }
    if (delimiter.empty()) {
        list.Add(std::string(text));
        return 1;
    }
    size_t start = 0;
    for (size_t found = text.find(delimiter); found != std::string_view::npos;
         found = text.find(delimiter, start)) {
        list.Add(std::string(text.substr(start, found - start)));
        start = found + delimiter.size();
    }
    list.Add(std::string(text.substr(start)));
    return list.Count();
}

std::string RepeatChar(char c, int count)
{
    if (count < 1 || count > 255) {
        return {};
    }
    return std::string(static_cast<size_t>(count), c);
}

bool StrToBoolText(std::string_view text)
{
    static constexpr std::array<std::string_view, 6> trueTexts = {"Y", "Yes", "T", "True", "1", "-1"};
    for (std::string_view candidate : trueTexts) {
        if (fw::SameText(text, candidate)) {
            return true;
        }
    }
    return false;
}

double SafeStrToFloat(std::string_view text)
{
    double value = 0;
    return fw::TryStrToFloat(text, value) ? value : 0;
}

double CleanFloat(std::string_view text, bool safe)
{
    std::string cleaned;
    for (char c : text) {
        if (c != ' ' && c != fw::ThousandSeparator) {
            cleaned += c;
        }
    }
    if (cleaned.empty()) {
        cleaned = "0";
    }
    return safe ? SafeStrToFloat(cleaned) : fw::StrToFloat(cleaned);
}

double SafeDivide(double a, double b)
{
    if (b == 0) {
        return 0;
    }
    const double quotient = a / b;
    return std::isfinite(quotient) ? quotient : 0;
}

bool FloatEquals(double a, double b, int n)
{
    const double tolerance = std::pow(10.0, -n) - std::pow(10.0, -(n + 1));
    return b > a - tolerance && b < a + tolerance;
}

std::string VarTypeName(const fw::Variant& value)
{
    if (value.IsNull()) {
        return "(null)";
    }
    if (value.IsEmpty()) {
        return "(unassigned)";
    }
    // Empty and null have their own texts above; a code with flags (an array of integers,
    // say) matches no name.
    static constexpr std::array<std::pair<fw::VarTypeCode, const char*>, 19> names = {{
        {fw::varSmallint, "varSmallint"}, {fw::varInteger, "varInteger"}, {fw::varSingle, "varSingle"},
        {fw::varDouble, "varDouble"},     {fw::varCurrency, "varCurrency"}, {fw::varDate, "varDate"},
        {fw::varOleStr, "varOleStr"},     {fw::varDispatch, "varDispatch"}, {fw::varError, "varError"},
        {fw::varBoolean, "varBoolean"},   {fw::varVariant, "varVariant"},   {fw::varUnknown, "varUnknown"},
        {fw::varByte, "varByte"},         {fw::varStrArg, "varStrArg"},     {fw::varString, "varString"},
        {fw::varAny, "varAny"},           {fw::varTypeMask, "varTypeMask"}, {fw::varArray, "varArray"},
        {fw::varByRef, "varByRef"},
    }};
    for (const auto& [code, name] : names) {
        if (code == value.VarType()) {
            return name;
        }
    }
    return "unknown";
}
