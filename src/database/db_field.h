#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "database/db_table_info.h"
#include "foundation/enhanced_list.h"
#include "framework/core/datetime.h"
#include "framework/core/object.h"
#include "framework/core/variant.h"

// The value of one column of one record: typed, converting to and from text, remembering
// whether (and from what) it was changed. No conversion follows the locale.

// What a field reports about itself from its column information.
class TDBGenericFieldBase : public fw::Persistent {
public:
    std::string_view className() const override { return "TDBGenericFieldBase"; }

    virtual std::string Name() const = 0;
    virtual int Precision() const = 0;
    virtual int Size() const = 0;
    virtual bool Required() const = 0;
    virtual bool IsKey() const = 0;
    // Fields that answer true are left out of the statements a record builds; none here.
    virtual bool IsCalculated() const { return false; }
};

class TDBGenericField : public TDBGenericFieldBase {
public:
    // The flag set: 1 modified, 2 read-only.
    static constexpr int FlagModified = 1;
    static constexpr int FlagReadOnly = 2;

    using ChangeEvent = std::function<void(TDBGenericField& sender)>;

    explicit TDBGenericField(TDBGenericFieldType type = dbfString, const TDBGenericFieldInfo* info = nullptr);

    std::string_view className() const override { return "TDBGenericField"; }
    fw::Object* NewInstance() const override { return new TDBGenericField(type_, info_); }
    // The type, the value, the flags, the column information and the value before the change.
    void Assign(const fw::Persistent* source) override;

    std::string Name() const override;
    int Precision() const override;
    int Size() const override;
    bool Required() const override;
    bool IsKey() const override;

    const TDBGenericFieldInfo* Info() const { return info_; }
    TDBGenericFieldType DataType() const { return type_; }
    // The value restarts empty in the new kind.
    void SetDataType(TDBGenericFieldType type);

    int Flags() const { return flags_; }
    void SetFlags(int flags);
    bool Modified() const { return (flags_ & FlagModified) != 0; }
    // Setting keeps the value as it is now as the value before the change (when it was not
    // set already); clearing forgets that value.
    void SetModified(bool modified);
    bool ReadOnly() const { return (flags_ & FlagReadOnly) != 0; }
    void SetReadOnly(bool readOnly);
    // The value as text before the first change; none while unmodified.
    std::optional<std::string> OldValueText() const;

    const ChangeEvent& OnChange() const { return onChange_; }
    void SetOnChange(ChangeEvent event) { onChange_ = std::move(event); }

    // Read-outs, converting from the stored kind. Texts give their number when they hold
    // one (0 when empty); floats and currency round to the nearest integer (halves to the
    // even neighbour).
    // Integers in decimal; floats and currency in the general format, or with 18 decimals
    // when the table list asks for fixed notation; Booleans "True"/"False" ("1"/"0" under
    // the program-wide switch); date-times in the standard text.
    std::string AsString() const;
    // Floats and currency with so many decimals.
    std::string AsStringWithDigits(int digits) const;
    std::int64_t AsInteger() const;
    double AsFloat() const;
    // In units of 1/10000.
    std::int64_t AsCurrency() const;
    bool AsBoolean() const;
    // Texts in the standard form (0 when they are not), currency in days.
    fw::DateTime AsDateTime() const;
    fw::Variant AsVariant() const;

    // Writes. Each compares with the stored value and sets the modified flag only when the
    // value changes, then tells OnChange. The empty text writes the kind's empty value.
    // Text into a number: integers by the 64-bit reader (EConvertError for a bad text),
    // floats and currency by the safe reader (0 for a bad text); into a text column: trimmed
    // and cut to the column's size; into a Boolean: true when it begins with 1, T, t, Y or
    // y; into a date-time: the standard text (EConvertError for a bad one).
    void SetAsString(std::string_view text);
    void SetAsInteger(std::int64_t value);
    // A float that equals 0 to 16 decimals is stored as 0.
    void SetAsFloat(double value);
    void SetAsCurrency(std::int64_t units);
    // Into a text: "T"/"F" ("1"/"0" under the switch); into currency: 1 or 0 whole units.
    void SetAsBoolean(bool value);
    // Into an integer: cut to whole days.
    void SetAsDateTime(fw::DateTime value);
    // Null writes the kind's empty value; other variants are converted to the kind.
    void SetAsVariant(const fw::Variant& value);
    // The kind's empty value, unmodified, without telling anyone.
    void Clear();

    // Booleans as "1"/"0" rather than "True"/"False" and "T"/"F": off unless the host sets it.
    static void SetBooleansAsDigits(bool digits);
    static bool BooleansAsDigits();

private:
    struct Stored {
        std::int64_t Integer = 0; // dbfInteger, and dbfCurrency in units of 1/10000
        std::string Text;         // dbfString
        double Real = 0;          // dbfFloat, dbfDateTime
        bool Boolean = false;     // dbfBoolean
    };
    bool SameAs(const Stored& value) const;
    void Store(Stored value);
    std::string TextOf(const Stored& value) const;
    std::string FloatText(double value) const;

    TDBGenericFieldType type_;
    const TDBGenericFieldInfo* info_;
    int flags_ = 0;
    Stored value_;
    std::optional<Stored> old_;
    ChangeEvent onChange_;
};

// The fields of one record, owned, in column order.
class TDBGenericFieldListBase : public TEnhancedListOf<TDBGenericField> {
public:
    std::string_view className() const override { return "TDBGenericFieldListBase"; }
};

class TDBGenericFieldList : public TDBGenericFieldListBase {
public:
    std::string_view className() const override { return "TDBGenericFieldList"; }

    // A field without an OnChange of its own gets the list's.
    int Add(fw::Object* item) override;
    // None outside the range.
    TDBGenericField* Field(int index) const { return GetItem(index); }
    // Ignoring case; -1 / none when absent.
    int IndexOfName(std::string_view name) const;
    TDBGenericField* FieldByName(std::string_view name) const;
    bool IsModified() const;

    const TDBGenericField::ChangeEvent& OnChange() const { return onChange_; }
    void SetOnChange(TDBGenericField::ChangeEvent event) { onChange_ = std::move(event); }

private:
    TDBGenericField::ChangeEvent onChange_;
};
