#pragma once

#include <cstdint>
#include <string>

#include "framework/core/variant.h"

// Reading variants the way the records write them into statements and fields: never by
// the locale.

// Empty and Null give ""; integers in decimal; floats in the general format; Booleans
// "True"/"False"; date-times in the standard date-time text; texts as they are; an array
// gives its first element's text.
std::string VariantText(const fw::Variant& value);
// Empty and Null give 0; texts are read as numbers (0 when they are none); Booleans 1 or 0.
double VariantReal(const fw::Variant& value);
// The real value rounded to the nearest integer, halves to even; 0 beyond 64 bits.
std::int64_t VariantInteger(const fw::Variant& value);
