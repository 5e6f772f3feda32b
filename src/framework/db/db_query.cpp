#include "framework/db/db_query.h"

#include "framework/core/strings.h"
#include "framework/db/db_connection.h"
#include "framework/db/db_error.h"
#include "framework/db/db_statement_text.h"
#include "framework/db/qt_sql_backend.h"

namespace fw::db {

Query::Query(Component* owner) : Component(owner) {}

Query::~Query() = default;

std::string Query::Text() const
{
    std::string text;
    for (int i = 0; i < sql_.Count(); ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += sql_.Strings(i);
    }
    return text;
}

void Query::SetText(std::string_view text)
{
    sql_.SetText(text);
}

void Query::Open()
{
    BeforeOpen();
    Run(true);
}

void Query::ExecSQL()
{
    BeforeExecute();
    Run(false);
}

void Query::Close()
{
    active_ = false;
    rows_.clear();
    fields_.clear();
    row_ = 0;
}

void Query::Run(bool wantRows)
{
    Close();
    if (connection_ == nullptr) {
        throw EDatabaseError("The query has no database connection.", ErrorKind::NotConnected);
    }
    const std::string text = Text();
    if (!IsSingleStatement(text)) {
        throw EDatabaseError("Only one statement may be run at a time.", ErrorKind::Refused);
    }
    // The engines read the line breaks between the lines as blanks; those inside a literal
    // stay part of its value.
    std::string sent = text;
    const bool postgres = connection_->GetEngine() == Engine::Postgres;
    if (wantRows && lockRows_ && postgres) {
        sent += " FOR UPDATE";
    }
    const bool returning = !wantRows && postgres && !returningColumn_.empty();
    if (returning) {
        sent += " RETURNING " + returningColumn_;
    }
    returned_ = false;
    ResultData result = connection_->Internals().Run(text, sent, StatementKind::Query);
    if (returning) {
        // The key comes back as a row of an otherwise row-less statement.
        if (result.IsSelect && !result.Rows.empty() && !result.Rows.front().empty()) {
            returnedKey_ = FieldValue({}, &result.Rows.front().front()).AsLargeInt();
            returned_ = true;
        }
        rowsAffected_ = static_cast<int>(result.Rows.size());
        lastRowId_ = 0;
        return;
    }
    Take(std::move(result));
}

void Query::Take(ResultData&& result)
{
    rowsAffected_ = result.RowsAffected;
    lastRowId_ = result.LastRowId;
    if (!result.IsSelect) {
        return;
    }
    rows_ = std::move(result.Rows);
    fields_.clear();
    fields_.reserve(result.Columns.size());
    for (std::string& name : result.Columns) {
        fields_.emplace_back(std::move(name), nullptr);
    }
    row_ = 0;
    active_ = true;
    PointFields();
}

void Query::PointFields()
{
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i].Point(row_ < rows_.size() ? &rows_[row_][i] : nullptr);
    }
}

bool Query::Eof() const
{
    return !active_ || row_ >= rows_.size();
}

void Query::Next()
{
    if (!Eof()) {
        ++row_;
        PointFields();
    }
}

const FieldValue& Query::Fields(int index) const
{
    if (index < 0 || index >= FieldCount()) {
        throw EDatabaseError("Field index out of range (" + std::to_string(index) + ")");
    }
    return fields_[static_cast<std::size_t>(index)];
}

const FieldValue* Query::FindField(std::string_view name) const
{
    for (const FieldValue& field : fields_) {
        if (SameText(field.FieldName(), name)) {
            return &field;
        }
    }
    return nullptr;
}

const FieldValue& Query::FieldByName(std::string_view name) const
{
    const FieldValue* field = FindField(name);
    if (field == nullptr) {
        throw EDatabaseError("Field '" + std::string(name) + "' not found");
    }
    return *field;
}

std::int64_t Query::LastInsertId()
{
    if (connection_ == nullptr) {
        throw EDatabaseError("The query has no database connection.", ErrorKind::NotConnected);
    }
    if (returned_) {
        return returnedKey_;
    }
    if (connection_->GetEngine() == Engine::Sqlite) {
        return lastRowId_;
    }
    const std::string statement = "SELECT lastval()";
    const ResultData result = connection_->Internals().Run(statement, statement, StatementKind::Internal);
    if (result.Rows.empty() || result.Rows.front().empty()) {
        return 0;
    }
    return FieldValue({}, &result.Rows.front().front()).AsLargeInt();
}

} // namespace fw::db
