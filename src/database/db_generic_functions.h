#pragma once

#include <string>
#include <string_view>

#include "database/db_generic_constants.h"
#include "framework/core/datetime.h"
#include "framework/core/string_list.h"

// The four dialect functions that hide the differences between the server kinds, and the
// quoting they rest on.

// The literal of a date-time in SQL text, with Q the delimiter and F the format (the
// default where F is empty):
//   SQLServer, Interbase, Informix, Generic: Q + value as F ("MM/DD/YYYY HH:MM:SS") + Q
//   Progress: " Date(" + Q + value as F ("MM/DD/YYYY") + Q + ")", with the leading blank
//   Oracle: "to_date(" + Q + value as "DD-MM-YYYY HH:MM:SS" + Q + ", " + Q +
//           "DD-MM-YYYY HH24:MI:SS" + Q + ")", whatever F says
// Specifiers are read in any case, "MM" right after an hour means minutes, and "/" and ":"
// are written as they are, never as the locale's separators.
std::string DateTimeToSQL(TDBGDatabaseType kind, const std::string& delimiter, const std::string& format,
                          fw::DateTime value);

// "UsrID" for Progress, "UserID" for every other kind: the user column of the lock table
// and of the exception log.
std::string UserIDFieldName(TDBGDatabaseType kind);
// "CommentField" for Oracle, "Comment" for every other kind: the log's comment column.
std::string CommentFieldName(TDBGDatabaseType kind);
// Sets the login entries of a connection's parameter list: "UID" and "PWD" for Progress,
// "USER NAME" and "PASSWORD" for every other kind.
void SetLoginParams(fw::StringList& params, TDBGDatabaseType kind, const std::string& login,
                    const std::string& password);

// The delimiter + the encoded value + the delimiter. With D the delimiter's first
// character: a one-character delimiter doubles every D, runs included, so that the
// engine reads back exactly the value ("a'b" gives 'a''b', "a''b" gives 'a''''b'); a
// longer delimiter swaps D for the other quote mark (the double quote for the apostrophe,
// else the apostrophe). An empty delimiter leaves the value as it is. The value is plain
// text: no caller hands already-quoted text to this.
std::string QuoteText(std::string_view value, const std::string& delimiter);

// Every empty string literal '' of the statement becomes ' ' (Oracle reads '' as NULL).
// The scan follows the literals, so a doubled apostrophe inside a value ('O''Brien') is
// left alone.
std::string ReplaceEmptyLiterals(std::string_view sql);
