#pragma once

// The texts of a PostgreSQL row as the server sent them, for the files of this folder
// only (Qt and libpq stay behind our interface).

#include <QSqlQuery>

#include "framework/db/db_field_value.h"

struct pg_result;

namespace fw::db {

// Qt's PostgreSQL driver decodes a text with a UTF-8 decoder that takes a leading
// byte-order mark (U+FEFF) for an encoding sign and drops it, so that a text beginning with
// one would come back without it, and be written back so. The driver has the server send
// UTF-8 (it sets the client encoding), which is what our texts are: the bytes are taken
// as they came, without the round trip through Qt's strings.
class PostgresRowTexts {
public:
    // Reads nothing.
    PostgresRowTexts() = default;
    // The row the query stands on. Nothing is read when the query's result is not libpq's.
    explicit PostgresRowTexts(const QSqlQuery& query);

    // The text of the column in this row, or a null cell: false, and the cell untouched,
    // when the row cannot be read so.
    bool Read(int column, CellValue& cell) const;

private:
    const pg_result* result_ = nullptr;
    int row_ = 0;
};

} // namespace fw::db
