#include "framework/db/db_statement_text.h"

#include <string>

namespace fw::db {

namespace {

bool IsIdentifierChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$'
        || static_cast<unsigned char>(c) >= 0x80;
}

// The end (one past the closing quote) of a literal opened at `open`; npos when unclosed.
std::size_t QuotedEnd(std::string_view sql, std::size_t open, bool backslashEscapes)
{
    const char quote = sql[open];
    std::size_t i = open + 1;
    while (i < sql.size()) {
        const char c = sql[i];
        if (backslashEscapes && c == '\\') {
            i += 2;
            continue;
        }
        if (c == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return std::string_view::npos;
}

// A dollar quote's opening delimiter at `pos` ("$$" or "$tag$"); empty when there is none.
std::string_view DollarTag(std::string_view sql, std::size_t pos)
{
    std::size_t i = pos + 1;
    while (i < sql.size() && sql[i] != '$') {
        const char c = sql[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'
            || static_cast<unsigned char>(c) >= 0x80;
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && i > pos + 1)) {
            return {};
        }
        ++i;
    }
    if (i >= sql.size()) {
        return {};
    }
    return sql.substr(pos, i - pos + 1);
}

} // namespace

bool IsSingleStatement(std::string_view sql)
{
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        const char previous = i > 0 ? sql[i - 1] : ' ';
        if (c == ';') {
            return false;
        }
        if (c == '\'' || c == '"' || c == '`') {
            // E'...' (PostgreSQL) reads backslashes as escapes.
            const bool escapes = c == '\'' && (previous == 'E' || previous == 'e')
                && (i < 2 || !IsIdentifierChar(sql[i - 2]));
            const std::size_t end = QuotedEnd(sql, i, escapes);
            if (end == std::string_view::npos) {
                return false;
            }
            i = end;
            continue;
        }
        if (c == '[') {
            const std::size_t end = sql.find(']', i + 1);
            if (end == std::string_view::npos) {
                return false;
            }
            i = end + 1;
            continue;
        }
        if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            const std::size_t end = sql.find_first_of("\r\n", i);
            if (end == std::string_view::npos) {
                return true;
            }
            i = end;
            continue;
        }
        if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            int depth = 1;
            i += 2;
            while (i < sql.size() && depth > 0) {
                if (sql.compare(i, 2, "/*") == 0) {
                    ++depth;
                    i += 2;
                } else if (sql.compare(i, 2, "*/") == 0) {
                    --depth;
                    i += 2;
                } else {
                    ++i;
                }
            }
            if (depth > 0) {
                return false;
            }
            continue;
        }
        if (c == '$' && !IsIdentifierChar(previous)) {
            const std::string_view tag = DollarTag(sql, i);
            if (!tag.empty()) {
                const std::size_t end = sql.find(tag, i + tag.size());
                if (end == std::string_view::npos) {
                    return false;
                }
                i = end + tag.size();
                continue;
            }
        }
        ++i;
    }
    return true;
}

} // namespace fw::db
