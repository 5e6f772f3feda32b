#pragma once

#include <string>
#include <string_view>

namespace fw::db {

// A UTF-8 text with every letter in upper case as Unicode has it ("öse" gives "ÖSE", "ß"
// gives "SS"). Text kept in this form compares alike on every engine: the engines' own
// Upper() leave it as it is, whether they know the letters beyond ASCII (PostgreSQL) or
// only ASCII (SQLite).
std::string UpperCaseText(std::string_view text);

} // namespace fw::db
