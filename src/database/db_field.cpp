#include "database/db_field.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <limits>

#include "foundation/string_utils.h"
#include "framework/core/encoding.h"
#include "framework/core/exceptions.h"
#include "framework/core/strings.h"
#include "framework/db/db_field_value.h"

namespace {

std::atomic<bool>& DigitBooleans()
{
    static std::atomic<bool> digits{false};
    return digits;
}

// Nearest integer, halves to the even neighbour; values beyond 64 bits raise.
std::int64_t Rounded(double value)
{
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < static_cast<double>(std::numeric_limits<std::int64_t>::min())
        || rounded >= static_cast<double>(std::numeric_limits<std::int64_t>::max())) {
        throw fw::EConvertError("Value out of range: " + fw::FloatToStr(value));
    }
    return static_cast<std::int64_t>(rounded);
}

std::string FixedText(double value, int digits)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, digits);
    if (result.ec != std::errc()) {
        return fw::FloatToStr(value);
    }
    return std::string(buffer, result.ptr);
}

bool StartsTrue(std::string_view text)
{
    if (text.empty()) {
        return false;
    }
    const char c = text.front();
    return c == '1' || c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

} // namespace

TDBGenericField::TDBGenericField(TDBGenericFieldType type, const TDBGenericFieldInfo* info)
    : type_(type), info_(info)
{
}

void TDBGenericField::Assign(const fw::Persistent* source)
{
    if (auto* other = dynamic_cast<const TDBGenericField*>(source)) {
        type_ = other->type_;
        info_ = other->info_;
        flags_ = other->flags_;
        value_ = other->value_;
        old_ = other->old_;
        return;
    }
    fw::Persistent::Assign(source);
}

std::string TDBGenericField::Name() const
{
    return info_ != nullptr ? info_->FieldName : std::string();
}

int TDBGenericField::Precision() const
{
    return info_ != nullptr ? info_->Precision : 0;
}

int TDBGenericField::Size() const
{
    return info_ != nullptr ? info_->Size : 0;
}

bool TDBGenericField::Required() const
{
    return info_ != nullptr && info_->Required;
}

bool TDBGenericField::IsKey() const
{
    return info_ != nullptr && info_->IsKeyField();
}

void TDBGenericField::SetDataType(TDBGenericFieldType type)
{
    if (type != type_) {
        type_ = type;
        value_ = Stored();
        old_.reset();
    }
}

void TDBGenericField::SetFlags(int flags)
{
    SetModified((flags & FlagModified) != 0);
    SetReadOnly((flags & FlagReadOnly) != 0);
}

void TDBGenericField::SetModified(bool modified)
{
    if (modified) {
        if (!Modified()) {
            old_ = value_;
        }
        flags_ |= FlagModified;
    } else {
        flags_ &= ~FlagModified;
        old_.reset();
    }
}

void TDBGenericField::SetReadOnly(bool readOnly)
{
    flags_ = readOnly ? (flags_ | FlagReadOnly) : (flags_ & ~FlagReadOnly);
}

std::optional<std::string> TDBGenericField::OldValueText() const
{
    if (!old_) {
        return std::nullopt;
    }
    return TextOf(*old_);
}

void TDBGenericField::SetBooleansAsDigits(bool digits)
{
    DigitBooleans() = digits;
}

bool TDBGenericField::BooleansAsDigits()
{
    return DigitBooleans();
}

std::string TDBGenericField::FloatText(double value) const
{
    const TDBGenericTableInfo* table = info_ != nullptr ? info_->Table() : nullptr;
    const TDBGenericTableInfoList* tables = table != nullptr ? table->Collection() : nullptr;
    if (tables != nullptr && tables->FixedFloatText()) {
        return FixedText(value, 18);
    }
    return fw::FloatToStr(value);
}

std::string TDBGenericField::TextOf(const Stored& value) const
{
    switch (type_) {
    case dbfInteger:
        return fw::IntToStr(value.Integer);
    case dbfString:
        return value.Text;
    case dbfFloat:
        return FloatText(value.Real);
    case dbfCurrency:
        return FloatText(static_cast<double>(value.Integer) / 10000.0);
    case dbfBoolean:
        if (BooleansAsDigits()) {
            return value.Boolean ? "1" : "0";
        }
        return value.Boolean ? "True" : "False";
    case dbfDateTime:
        return fw::db::StandardDateTimeText(value.Real);
    default:
        return {};
    }
}

std::string TDBGenericField::AsString() const
{
    return TextOf(value_);
}

std::string TDBGenericField::AsStringWithDigits(int digits) const
{
    if (type_ == dbfFloat) {
        return FixedText(value_.Real, digits);
    }
    if (type_ == dbfCurrency) {
        return FixedText(static_cast<double>(value_.Integer) / 10000.0, digits);
    }
    return AsString();
}

std::int64_t TDBGenericField::AsInteger() const
{
    switch (type_) {
    case dbfInteger:
        return value_.Integer;
    case dbfString: {
        const std::string text = fw::Trim(value_.Text);
        std::int64_t result = 0;
        if (text.empty()) {
            return 0;
        }
        if (!fw::TryStrToInt64(text, result)) {
            throw fw::EConvertError("'" + value_.Text + "' is not a valid integer value");
        }
        return result;
    }
    case dbfFloat:
        return Rounded(value_.Real);
    case dbfCurrency:
        return Rounded(static_cast<double>(value_.Integer) / 10000.0);
    case dbfBoolean:
        return value_.Boolean ? 1 : 0;
    case dbfDateTime:
        return static_cast<std::int64_t>(std::trunc(value_.Real));
    default:
        return 0;
    }
}

double TDBGenericField::AsFloat() const
{
    switch (type_) {
    case dbfInteger:
        return static_cast<double>(value_.Integer);
    case dbfString:
        return SafeStrToFloat(value_.Text);
    case dbfFloat:
    case dbfDateTime:
        return value_.Real;
    case dbfCurrency:
        return static_cast<double>(value_.Integer) / 10000.0;
    case dbfBoolean:
        return value_.Boolean ? 1.0 : 0.0;
    default:
        return 0;
    }
}

std::int64_t TDBGenericField::AsCurrency() const
{
    switch (type_) {
    case dbfCurrency:
        return value_.Integer;
    case dbfInteger:
        return value_.Integer * 10000;
    default:
        return Rounded(AsFloat() * 10000.0);
    }
}

bool TDBGenericField::AsBoolean() const
{
    switch (type_) {
    case dbfInteger:
    case dbfCurrency:
        return value_.Integer != 0;
    case dbfString:
        return StartsTrue(value_.Text);
    case dbfFloat:
    case dbfDateTime:
        return value_.Real != 0;
    case dbfBoolean:
        return value_.Boolean;
    default:
        return false;
    }
}

fw::DateTime TDBGenericField::AsDateTime() const
{
    if (type_ == dbfString) {
        fw::DateTime value = 0;
        return fw::db::TryParseStandardDateTime(value_.Text, value) ? value : 0;
    }
    return AsFloat();
}

fw::Variant TDBGenericField::AsVariant() const
{
    switch (type_) {
    case dbfInteger:
        return fw::Variant(fw::varInteger, value_.Integer);
    case dbfString:
        return fw::Variant(value_.Text);
    case dbfFloat:
        return fw::Variant(value_.Real);
    case dbfCurrency:
        return fw::Variant(fw::varCurrency, static_cast<double>(value_.Integer) / 10000.0);
    case dbfBoolean:
        return fw::Variant(value_.Boolean);
    case dbfDateTime:
        return fw::Variant(fw::varDate, value_.Real);
    default:
        return fw::Variant::Null();
    }
}

bool TDBGenericField::SameAs(const Stored& value) const
{
    switch (type_) {
    case dbfInteger:
    case dbfCurrency:
        return value.Integer == value_.Integer;
    case dbfString:
        return value.Text == value_.Text;
    case dbfFloat:
    case dbfDateTime:
        return value.Real == value_.Real;
    case dbfBoolean:
        return value.Boolean == value_.Boolean;
    default:
        return true;
    }
}

void TDBGenericField::Store(Stored value)
{
    if (type_ == dbfUnknown) {
        return;
    }
    if (!SameAs(value)) {
        SetModified(true);
        value_ = std::move(value);
    }
    if (onChange_) {
        onChange_(*this);
    }
}

void TDBGenericField::SetAsString(std::string_view text)
{
    Stored value;
    const std::string trimmed = fw::Trim(text);
    switch (type_) {
    case dbfInteger:
        if (!trimmed.empty() && !fw::TryStrToInt64(trimmed, value.Integer)) {
            throw fw::EConvertError("'" + std::string(text) + "' is not a valid integer value");
        }
        break;
    case dbfString:
        value.Text = trimmed;
        if (Size() > 0 && value.Text.size() > static_cast<std::size_t>(Size())) {
            // The column's size counts characters; a cut by bytes would store a broken one.
            value.Text.resize(fw::Utf8PrefixBytes(value.Text, static_cast<std::size_t>(Size())));
            // A cut that ends on a blank keeps none, as the text reads back trimmed.
            value.Text = fw::TrimRight(value.Text);
        }
        break;
    case dbfFloat:
        value.Real = SafeStrToFloat(trimmed);
        break;
    case dbfCurrency:
        value.Integer = Rounded(SafeStrToFloat(trimmed) * 10000.0);
        break;
    case dbfBoolean:
        value.Boolean = StartsTrue(trimmed);
        break;
    case dbfDateTime:
        if (!trimmed.empty() && !fw::db::TryParseStandardDateTime(trimmed, value.Real)) {
            throw fw::EConvertError("'" + std::string(text) + "' is not a valid date and time");
        }
        break;
    default:
        break;
    }
    Store(std::move(value));
}

void TDBGenericField::SetAsInteger(std::int64_t integer)
{
    Stored value;
    switch (type_) {
    case dbfInteger:
        value.Integer = integer;
        break;
    case dbfString:
        value.Text = fw::IntToStr(integer);
        break;
    case dbfFloat:
    case dbfDateTime:
        value.Real = static_cast<double>(integer);
        break;
    case dbfCurrency:
        value.Integer = integer * 10000;
        break;
    case dbfBoolean:
        value.Boolean = integer != 0;
        break;
    default:
        break;
    }
    Store(std::move(value));
}

void TDBGenericField::SetAsFloat(double real)
{
    Stored value;
    switch (type_) {
    case dbfInteger:
        value.Integer = Rounded(real);
        break;
    case dbfString:
        value.Text = FloatText(real);
        break;
    case dbfFloat:
        // Equal to 0 at 16 decimals is 0, so that a difference of rounding is no change.
        value.Real = FloatEquals(real, 0.0, 16) ? 0.0 : real;
        break;
    case dbfCurrency:
        value.Integer = Rounded(real * 10000.0);
        break;
    case dbfBoolean:
        value.Boolean = real != 0;
        break;
    case dbfDateTime:
        value.Real = real;
        break;
    default:
        break;
    }
    Store(std::move(value));
}

void TDBGenericField::SetAsCurrency(std::int64_t units)
{
    Stored value;
    const double real = static_cast<double>(units) / 10000.0;
    switch (type_) {
    case dbfInteger:
        value.Integer = Rounded(real);
        break;
    case dbfString:
        value.Text = FloatText(real);
        break;
    case dbfFloat:
    case dbfDateTime:
        value.Real = real;
        break;
    case dbfCurrency:
        value.Integer = units;
        break;
    case dbfBoolean:
        value.Boolean = units != 0;
        break;
    default:
        break;
    }
    Store(std::move(value));
}

void TDBGenericField::SetAsBoolean(bool flag)
{
    Stored value;
    switch (type_) {
    case dbfInteger:
        value.Integer = flag ? 1 : 0;
        break;
    case dbfString:
        value.Text = BooleansAsDigits() ? (flag ? "1" : "0") : (flag ? "T" : "F");
        break;
    case dbfFloat:
    case dbfDateTime:
        value.Real = flag ? 1.0 : 0.0;
        break;
    case dbfCurrency:
        value.Integer = flag ? 10000 : 0;
        break;
    case dbfBoolean:
        value.Boolean = flag;
        break;
    default:
        break;
    }
    Store(std::move(value));
}

void TDBGenericField::SetAsDateTime(fw::DateTime dateTime)
{
    Stored value;
    switch (type_) {
    case dbfInteger: {
        const double days = std::trunc(dateTime);
        if (days < std::numeric_limits<std::int32_t>::min() || days > std::numeric_limits<std::int32_t>::max()) {
            throw fw::EConvertError("Value out of range: " + fw::FloatToStr(dateTime));
        }
        value.Integer = static_cast<std::int32_t>(days);
        break;
    }
    case dbfString:
        value.Text = fw::db::StandardDateTimeText(dateTime);
        break;
    case dbfFloat:
    case dbfDateTime:
        value.Real = dateTime;
        break;
    case dbfCurrency:
        value.Integer = Rounded(dateTime * 10000.0);
        break;
    case dbfBoolean:
        value.Boolean = dateTime != 0;
        break;
    default:
        break;
    }
    Store(std::move(value));
}

void TDBGenericField::SetAsVariant(const fw::Variant& variant)
{
    if (variant.IsNull() || variant.IsEmpty()) {
        Store(Stored());
        return;
    }
    const auto& held = variant.GetValue();
    const auto real = [&held]() -> double {
        if (const auto* i = std::get_if<std::int64_t>(&held)) {
            return static_cast<double>(*i);
        }
        if (const auto* d = std::get_if<double>(&held)) {
            return *d;
        }
        if (const auto* b = std::get_if<bool>(&held)) {
            return *b ? 1.0 : 0.0;
        }
        if (const auto* s = std::get_if<std::string>(&held)) {
            return fw::StrToFloat(*s);
        }
        return 0.0;
    };
    switch (type_) {
    case dbfInteger:
        SetAsInteger(Rounded(real()));
        break;
    case dbfString:
        if (const auto* s = std::get_if<std::string>(&held)) {
            SetAsString(*s);
        } else if (const auto* b = std::get_if<bool>(&held)) {
            SetAsString(*b ? "True" : "False");
        } else if (const auto* i = std::get_if<std::int64_t>(&held)) {
            SetAsString(fw::IntToStr(*i));
        } else if ((variant.VarType() & fw::varTypeMask) == fw::varDate) {
            SetAsString(fw::db::StandardDateTimeText(real()));
        } else {
            SetAsString(fw::FloatToStr(real()));
        }
        break;
    case dbfFloat:
        SetAsFloat(real());
        break;
    case dbfCurrency:
        SetAsCurrency(Rounded(real() * 10000.0));
        break;
    case dbfBoolean:
        if (const auto* s = std::get_if<std::string>(&held)) {
            SetAsBoolean(StrToBoolText(*s));
        } else {
            SetAsBoolean(real() != 0);
        }
        break;
    case dbfDateTime:
        if (const auto* s = std::get_if<std::string>(&held)) {
            SetAsString(*s);
        } else {
            SetAsDateTime(real());
        }
        break;
    default:
        break;
    }
}

void TDBGenericField::Clear()
{
    value_ = Stored();
    flags_ &= ~FlagModified;
    old_.reset();
}

int TDBGenericFieldList::Add(fw::Object* item)
{
    if (auto* field = dynamic_cast<TDBGenericField*>(item); field != nullptr && !field->OnChange() && onChange_) {
        field->SetOnChange(onChange_);
    }
    return TEnhancedList::Add(item);
}

int TDBGenericFieldList::IndexOfName(std::string_view name) const
{
    for (int i = 0; i < Count(); ++i) {
        if (fw::SameText(Items(i)->Name(), name)) {
            return i;
        }
    }
    return -1;
}

TDBGenericField* TDBGenericFieldList::FieldByName(std::string_view name) const
{
    const int index = IndexOfName(name);
    return index >= 0 ? Items(index) : nullptr;
}

bool TDBGenericFieldList::IsModified() const
{
    for (int i = 0; i < Count(); ++i) {
        if (Items(i)->Modified()) {
            return true;
        }
    }
    return false;
}
