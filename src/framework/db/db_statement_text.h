#pragma once

#include <string_view>

namespace fw::db {

// Whether the text is one statement: no ";" outside string literals, quoted identifiers
// and comments, and nothing left open at its end. The scan reads the text as PostgreSQL
// does ('...' with '' inside, E'...' with backslash escapes, "...", $tag$...$tag$, -- and
// nested /* */ comments; SQLite's [...] and `...` too), so a value can never end a
// statement early there; SQLite's driver refuses a second statement by itself.
bool IsSingleStatement(std::string_view sql);

} // namespace fw::db
