#include "database/db_generic_functions.h"

#include "framework/db/db_connection.h"

std::string DateTimeToSQL(TDBGDatabaseType kind, const std::string& delimiter, const std::string& format,
                          fw::DateTime value)
{
    switch (kind) {
    case dbgDBType_Progress:
        return " Date(" + delimiter + fw::FormatDate(value, format.empty() ? "MM/DD/YYYY" : format) + delimiter
            + ")";
    case dbgDBType_Oracle:
        return "to_date(" + delimiter + fw::FormatDate(value, "DD-MM-YYYY HH:MM:SS") + delimiter + ", " + delimiter
            + "DD-MM-YYYY HH24:MI:SS" + delimiter + ")";
    default:
        return delimiter + fw::FormatDate(value, format.empty() ? "MM/DD/YYYY HH:MM:SS" : format) + delimiter;
    }
}

std::string UserIDFieldName(TDBGDatabaseType kind)
{
    return kind == dbgDBType_Progress ? "UsrID" : "UserID";
}

std::string CommentFieldName(TDBGDatabaseType kind)
{
    return kind == dbgDBType_Oracle ? "CommentField" : "Comment";
}

void SetLoginParams(fw::StringList& params, TDBGDatabaseType kind, const std::string& login,
                    const std::string& password)
{
    const bool progress = kind == dbgDBType_Progress;
    fw::db::SetParamValue(params, progress ? "UID" : "USER NAME", login);
    fw::db::SetParamValue(params, progress ? "PWD" : "PASSWORD", password);
}

std::string QuoteText(std::string_view value, const std::string& delimiter)
{
    if (delimiter.empty()) {
        return std::string(value);
    }
    const char d = delimiter.front();
    std::string encoded;
    encoded.reserve(value.size() + 2 * delimiter.size() + 4);
    encoded += delimiter;
    for (const char c : value) {
        if (c != d) {
            encoded += c;
        } else if (delimiter.size() > 1) {
            encoded += d == '\'' ? '"' : '\'';
        } else {
            // Every delimiter is doubled, those of a run too: a pair in the value is two
            // characters the user typed (an inch mark, 5''), never a quoted one.
            encoded += d;
            encoded += d;
        }
    }
    encoded += delimiter;
    return encoded;
}

std::string ReplaceEmptyLiterals(std::string_view sql)
{
    std::string result;
    result.reserve(sql.size() + 8);
    std::size_t i = 0;
    while (i < sql.size()) {
        if (sql[i] != '\'') {
            result += sql[i++];
            continue;
        }
        // A literal from here to the lone apostrophe that closes it.
        std::size_t end = i + 1;
        while (end < sql.size()) {
            if (sql[end] == '\'') {
                if (end + 1 < sql.size() && sql[end + 1] == '\'') {
                    end += 2;
                    continue;
                }
                break;
            }
            ++end;
        }
        if (end == i + 1) {
            result += "' '";
        } else {
            result.append(sql.substr(i, std::min(end + 1, sql.size()) - i));
        }
        i = end + 1;
    }
    return result;
}
