#pragma once

#include <string>

#include "framework/core/variant.h"

class TDBGenericField;
class TDBGenericFieldInfo;
class TDBGenericInfo;

// How a value is written into the layer's SQL text, by the kind of its column: a text
// quoted (QuoteValue; for Oracle an empty text as one quoted blank, Oracle reading '' as
// NULL), a date-time through the dialect's DateTimeToSQL, every other kind as its text.
std::string FieldLiteral(const TDBGenericInfo& info, const TDBGenericField& field);

// A value given as a variant, written by its column's kind (through a field of that
// kind). Without column information integers and floats go unquoted and anything else is
// quoted as text.
std::string VariantLiteral(const TDBGenericInfo& info, const TDBGenericFieldInfo* column, const fw::Variant& value);

// A value given as text, strictly: a number column takes only a number, a date-time
// column only the standard date-time text, a Boolean column only True/False/T/F/1/0 (any
// case). False, and no literal, for anything else, so that a caller's value can never
// become SQL of its own.
bool TextLiteral(const TDBGenericInfo& info, const TDBGenericFieldInfo& column, const std::string& text,
                 std::string& literal);
