#pragma once

#include <string>
#include <string_view>

#include "framework/core/string_list.h"
#include "framework/core/variant.h"

// The 1-based position, in the whole text, of the first occurrence of sub lying entirely
// within text[start .. end]. A start below 1 counts as 1, an end below 1 (or beyond the
// text) as the text's length. 0 when absent or sub is empty.
int PosEx(int start, int end, std::string_view sub, std::string_view text);

// Clears the list and adds every piece between occurrences of the delimiter, empty pieces
// included; the piece after the last delimiter counts unless the text is empty, so "a,"
// gives "a" and "". An empty delimiter leaves the text whole. Returns the piece count.
int SplitString(std::string_view text, fw::StringList& list, std::string_view delimiter);

// The character count times for a count of 1 to 255; an empty text for any other count.
std::string RepeatChar(char c, int count);

// True for "Y", "Yes", "T", "True", "1" and "-1" without regard to case, else false.
bool StrToBoolText(std::string_view text);

// The floating-point value of the text, 0 when it does not convert.
double SafeStrToFloat(std::string_view text);

// Reads a number typed with spaces or thousands separators: both are removed ("0" when
// nothing is left) before converting. With safe set a bad text gives 0, otherwise it
// raises EConvertError.
double CleanFloat(std::string_view text, bool safe);

// a / b, or 0 when there is no finite quotient.
double SafeDivide(double a, double b);

// True when b lies strictly within a +- (10^-n - 10^-(n+1)): equal to about n decimals.
bool FloatEquals(double a, double b, int n);

// "(unassigned)" for an empty variant, "(null)" for a null one, otherwise the name of its
// type code ("varInteger", "varString", ...), "unknown" for codes without a name.
std::string VarTypeName(const fw::Variant& value);
