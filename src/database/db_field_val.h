#pragma once

#include <string>
#include <string_view>

#include "foundation/enhanced_list.h"
#include "framework/core/object.h"

// A column name with the text of its value in a statement: the name/value lists from which
// the layer builds its INSERT and UPDATE statements.
namespace fw::db {
class FieldValue;
}

class TDBGFieldVal : public fw::Persistent {
public:
    std::string FieldName;
    std::string Value;

    std::string_view className() const override { return "TDBGFieldVal"; }
    fw::Object* NewInstance() const override { return new TDBGFieldVal; }
    // From another TDBGFieldVal both texts; from a TDBGenericField its name and its value as
    // text; anything else raises the standard assignment error.
    void Assign(const fw::Persistent* source) override;
    // From a column of a query's row: its name and its value as text.
    void Assign(const fw::db::FieldValue& column);
};

class TDBGFieldValList : public TEnhancedListOf<TDBGFieldVal> {
public:
    std::string_view className() const override { return "TDBGFieldValList"; }

    // The last item of that name (ignoring case); none when absent.
    TDBGFieldVal* FindName(std::string_view name) const;
    // A name that is empty after trimming is ignored. Otherwise the item of that name is
    // found, or added when absent, and takes the value.
    void Set(std::string_view name, std::string value);

    // The names joined by ", ", and the values joined by ", ".
    std::string Names() const;
    std::string Values() const;
    // name = value, joined by ", ".
    std::string Assignments() const;
};
