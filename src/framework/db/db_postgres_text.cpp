#include "framework/db/db_postgres_text.h"

#include <QSqlResult>
#include <QVariant>

#include <libpq-fe.h>

#include <cstring>
#include <string>

namespace fw::db {

PostgresRowTexts::PostgresRowTexts(const QSqlQuery& query)
{
    const QSqlResult* result = query.result();
    if (result == nullptr) {
        return;
    }
    // The driver hands out its libpq result, named by the struct behind libpq's PGresult.
    const QVariant handle = result->handle();
    if (!handle.isValid() || handle.typeName() == nullptr || std::strcmp(handle.typeName(), "pg_result*") != 0
        || handle.constData() == nullptr) {
        return;
    }
    const PGresult* pg = *static_cast<PGresult* const*>(handle.constData());
    if (pg == nullptr) {
        return;
    }
    // A forward-only query gets its rows one result at a time, the row at 0; a result of
    // every row has it at the query's position.
    const int rows = PQntuples(pg);
    const int row = rows == 1 ? 0 : query.at();
    if (row < 0 || row >= rows) {
        return;
    }
    result_ = pg;
    row_ = row;
}

bool PostgresRowTexts::Read(int column, CellValue& cell) const
{
    if (result_ == nullptr || column < 0 || column >= PQnfields(result_)) {
        return false;
    }
    if (PQgetisnull(result_, row_, column) != 0) {
        cell = std::monostate{};
        return true;
    }
    const char* bytes = PQgetvalue(result_, row_, column);
    const int length = PQgetlength(result_, row_, column);
    if (bytes == nullptr || length < 0) {
        return false;
    }
    cell = std::string(bytes, static_cast<std::size_t>(length));
    return true;
}

} // namespace fw::db
