#include "framework/db/db_connection.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <atomic>

#include "framework/core/strings.h"
#include "framework/db/db_error.h"
#include "framework/db/db_postgres_text.h"
#include "framework/db/db_session.h"
#include "framework/db/qt_sql_backend.h"

namespace fw::db {

namespace {

std::string Utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

ErrorKind KindOf(Engine engine, const std::string& code)
{
    if (engine == Engine::Postgres) {
        if (code == "23505") {
            return ErrorKind::UniqueViolation;
        }
        // lock_not_available (lock_timeout), deadlock_detected, query_canceled
        // (statement_timeout), serialization_failure
        if (code == "55P03" || code == "40P01" || code == "57014" || code == "40001") {
            return ErrorKind::Busy;
        }
        if (code.starts_with("08")) {
            return ErrorKind::NotConnected;
        }
        return ErrorKind::Other;
    }
    // SQLITE_CONSTRAINT_UNIQUE, SQLITE_CONSTRAINT_PRIMARYKEY
    if (code == "2067" || code == "1555") {
        return ErrorKind::UniqueViolation;
    }
    // SQLITE_BUSY and SQLITE_LOCKED with their extended forms
    if (code == "5" || code == "6" || code == "261" || code == "517" || code == "262") {
        return ErrorKind::Busy;
    }
    return ErrorKind::Other;
}

EDatabaseError ErrorOf(Engine engine, const QSqlError& error)
{
    std::string message = Trim(Utf8(error.databaseText()));
    if (message.empty()) {
        message = Trim(Utf8(error.text()));
    }
    const std::string code = Utf8(error.nativeErrorCode());
    return EDatabaseError(message, KindOf(engine, code), code);
}

CellValue CellOf(const QVariant& value)
{
    if (value.isNull()) {
        return std::monostate{};
    }
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::ULong:
        return static_cast<std::int64_t>(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble();
    case QMetaType::QDate: {
        const QDate date = value.toDate();
        DateTime result = 0;
        TryEncodeDate(date.year(), date.month(), date.day(), result);
        return DateTimeCell{result};
    }
    case QMetaType::QTime: {
        const QTime time = value.toTime();
        DateTime result = 0;
        TryEncodeTime(time.hour(), time.minute(), time.second(), time.msec(), result);
        return DateTimeCell{result};
    }
    case QMetaType::QDateTime: {
        // Wall-clock values as stored, never moved between time zones.
        const QDateTime stamp = value.toDateTime();
        DateTime date = 0;
        DateTime time = 0;
        TryEncodeDate(stamp.date().year(), stamp.date().month(), stamp.date().day(), date);
        TryEncodeTime(stamp.time().hour(), stamp.time().minute(), stamp.time().second(), stamp.time().msec(), time);
        return DateTimeCell{ComposeDateTime(date, time)};
    }
    case QMetaType::QByteArray:
        return value.toByteArray().toStdString();
    default:
        return Utf8(value.toString());
    }
}

bool IsPlainIdentifier(std::string_view name)
{
    if (name.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !(i > 0 && (digit || c == '$' || c == '.'))) {
            return false;
        }
    }
    return true;
}

std::string QuotedText(std::string_view text)
{
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c;
        if (c == '\'') {
            quoted += c;
        }
    }
    return quoted + "'";
}

// Runs the undo work of a transaction that was rolled back, the latest first. It only
// changes memory; a failure of one step keeps none of the others from running.
void RunUndo(std::vector<std::function<void()>>& undo)
{
    for (auto step = undo.rbegin(); step != undo.rend(); ++step) {
        try {
            (*step)();
        } catch (...) {
            // The roll-back happened; what memory keeps is the caller's to check.
        }
    }
    undo.clear();
}

// Runs the undo work when it goes out of scope: after the connection's lock is left.
struct UndoAfterwards {
    std::vector<std::function<void()>>& Undo;
    ~UndoAfterwards() { RunUndo(Undo); }
};

} // namespace

std::string ParamValue(const StringList& params, std::string_view name)
{
    for (const std::string& line : params) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && SameText(Trim(std::string_view(line).substr(0, equals)), name)) {
            return line.substr(equals + 1);
        }
    }
    return {};
}

void SetParamValue(StringList& params, std::string_view name, std::string_view value)
{
    const std::string line = std::string(name) + "=" + std::string(value);
    for (int i = 0; i < params.Count(); ++i) {
        const std::string& existing = params.Strings(i);
        const std::size_t equals = existing.find('=');
        if (equals != std::string::npos && SameText(Trim(std::string_view(existing).substr(0, equals)), name)) {
            params.SetStrings(i, line);
            return;
        }
    }
    params.Add(line);
}

void Connection::Impl::Notify(std::string_view text, std::string_view sent, StatementKind kind) const
{
    if (Before) {
        Before(StatementEvent{text, sent, kind});
    }
}

ResultData Connection::Impl::Run(std::string_view text, std::string_view sent, StatementKind kind)
{
    Notify(text, sent, kind);
    return Execute(sent);
}

ResultData Connection::Impl::Execute(std::string_view sent)
{
    const std::lock_guard lock(Mutex);
    if (!Database.isValid() || !Database.isOpen()) {
        throw EDatabaseError("The database connection is not open.", ErrorKind::NotConnected);
    }
    QSqlQuery query(Database);
    query.setForwardOnly(true);
    ResultData result;
    const auto failed = [&](const QSqlError& error) {
        if (InTransaction) {
            TransactionFailed = true;
        }
        return ErrorOf(EngineKind, error);
    };
    if (!query.exec(FromUtf8(sent))) {
        throw failed(query.lastError());
    }
    result.IsSelect = query.isSelect();
    if (result.IsSelect) {
        const QSqlRecord record = query.record();
        result.Columns.reserve(static_cast<std::size_t>(record.count()));
        // Every text comes from the driver here. PostgreSQL's are read as the server sent
        // them (db_postgres_text.h): Qt's decoding would drop a leading byte-order mark.
        // A row's texts are looked up only when the result has a column of them.
        std::vector<bool> serverTexts;
        bool anyServerText = false;
        for (int i = 0; i < record.count(); ++i) {
            result.Columns.push_back(Utf8(record.fieldName(i)));
            const bool serverText =
                EngineKind == Engine::Postgres && record.field(i).metaType().id() == QMetaType::QString;
            serverTexts.push_back(serverText);
            anyServerText = anyServerText || serverText;
        }
        while (query.next()) {
            std::vector<CellValue> row;
            row.reserve(result.Columns.size());
            const PostgresRowTexts texts = anyServerText ? PostgresRowTexts(query) : PostgresRowTexts();
            for (int i = 0; i < record.count(); ++i) {
                CellValue cell;
                if (!serverTexts[static_cast<std::size_t>(i)] || !texts.Read(i, cell)) {
                    cell = CellOf(query.value(i));
                }
                row.push_back(std::move(cell));
            }
            result.Rows.push_back(std::move(row));
        }
        if (query.lastError().isValid()) {
            throw failed(query.lastError());
        }
    } else {
        result.RowsAffected = query.numRowsAffected();
        if (EngineKind == Engine::Sqlite) {
            result.LastRowId = query.lastInsertId().toLongLong();
        }
    }
    query.finish();
    return result;
}

Connection::Connection(Session* session, Component* owner)
    : Component(owner), session_(session != nullptr ? session : &Session::Default()), impl_(std::make_unique<Impl>())
{
    session_->Register(this);
}

Connection::~Connection()
{
    Close();
    if (session_ != nullptr) {
        session_->Unregister(this);
    }
}

bool Connection::Connected() const
{
    const std::lock_guard lock(impl_->Mutex);
    return impl_->Database.isValid() && impl_->Database.isOpen();
}

Engine Connection::GetEngine() const
{
    if (Connected()) {
        return impl_->EngineKind;
    }
    const auto alias = FindAlias(aliasName_);
    return alias ? alias->Kind : Engine::Sqlite;
}

void Connection::Open()
{
    const std::lock_guard lock(impl_->Mutex);
    if (Connected()) {
        return;
    }
    const auto alias = FindAlias(aliasName_);
    if (!alias) {
        throw EDatabaseError("The database alias <" + aliasName_ + "> is not known.", ErrorKind::NotConnected);
    }
    static std::atomic<int> counter{0};
    impl_->QtName = QString::fromLatin1("tavelin_db_%1").arg(++counter);
    const bool sqlite = alias->Kind == Engine::Sqlite;
    QSqlDatabase database = QSqlDatabase::addDatabase(sqlite ? "QSQLITE" : "QPSQL", impl_->QtName);
    const auto discard = [this, &database] {
        database.close();
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(impl_->QtName);
    };
    if (!database.isValid()) {
        discard();
        throw EDatabaseError(std::string("The database driver for ") + (sqlite ? "SQLite" : "PostgreSQL")
                                 + " is not installed.",
                             ErrorKind::NotConnected);
    }
    database.setDatabaseName(FromUtf8(alias->Database));
    if (sqlite) {
        database.setConnectOptions(QString::fromLatin1("QSQLITE_BUSY_TIMEOUT=%1").arg(alias->BusyTimeoutMs));
    } else {
        if (!alias->Host.empty()) {
            database.setHostName(FromUtf8(alias->Host));
        }
        if (alias->Port > 0) {
            database.setPort(alias->Port);
        }
        std::string user = ParamValue(params_, "USER NAME");
        std::string password = ParamValue(params_, "PASSWORD");
        if (user.empty()) {
            user = ParamValue(params_, "UID");
            password = ParamValue(params_, "PWD");
        }
        if (user.empty()) {
            user = alias->UserName;
            password = alias->Password;
        }
        database.setUserName(FromUtf8(user));
        database.setPassword(FromUtf8(password));
    }
    if (!database.open()) {
        const EDatabaseError error = ErrorOf(alias->Kind, database.lastError());
        discard();
        throw EDatabaseError(error.Message(), ErrorKind::NotConnected, error.NativeCode());
    }
    impl_->Database = database;
    impl_->EngineKind = alias->Kind;
    impl_->InTransaction = false;
    impl_->TransactionFailed = false;

    std::vector<std::string> setUp;
    if (sqlite) {
        setUp = {"PRAGMA journal_mode = WAL", "PRAGMA foreign_keys = ON"};
    } else {
        // Dates in and out as ISO texts, backslashes as plain characters in literals, and
        // no notices on the program's error output.
        setUp = {"SET DateStyle = 'ISO, MDY'", "SET standard_conforming_strings = on",
                 "SET client_min_messages = warning"};
    }
    setUp.insert(setUp.end(), alias->StartupStatements.begin(), alias->StartupStatements.end());
    try {
        for (const std::string& statement : setUp) {
            impl_->Run(statement, statement, StatementKind::Internal);
        }
    } catch (...) {
        database = QSqlDatabase();
        impl_->Database.close();
        impl_->Database = QSqlDatabase();
        QSqlDatabase::removeDatabase(impl_->QtName);
        throw;
    }
}

void Connection::Close()
{
    std::vector<std::function<void()>> undo;
    {
        const std::lock_guard lock(impl_->Mutex);
        if (!impl_->Database.isValid()) {
            return;
        }
        if (impl_->InTransaction && impl_->Database.isOpen()) {
            try {
                impl_->Execute("ROLLBACK");
            } catch (const EDatabaseError&) {
                // Closing ends the transaction anyway.
            }
        }
        undo.swap(impl_->Undo);
        impl_->InTransaction = false;
        impl_->TransactionFailed = false;
        impl_->Database.close();
        impl_->Database = QSqlDatabase();
        QSqlDatabase::removeDatabase(impl_->QtName);
    }
    RunUndo(undo);
}

void Connection::StartTransaction()
{
    const std::string_view begin = GetEngine() == Engine::Sqlite ? "BEGIN IMMEDIATE" : "BEGIN";
    impl_->Notify(begin, begin, StatementKind::Transaction);
    const std::lock_guard lock(impl_->Mutex);
    if (impl_->InTransaction) {
        throw EDatabaseError("A transaction is running already on this connection.", ErrorKind::Refused);
    }
    impl_->Execute(begin);
    impl_->InTransaction = true;
    impl_->TransactionFailed = false;
}

void Connection::Commit()
{
    impl_->Notify("COMMIT", "COMMIT", StatementKind::Transaction);
    std::vector<std::function<void()>> undo;
    // What a failed commit rolled back is undone once the connection's lock is left.
    const UndoAfterwards afterwards{undo};
    const std::lock_guard lock(impl_->Mutex);
    if (!impl_->InTransaction) {
        throw EDatabaseError("No transaction is running on this connection.", ErrorKind::Refused);
    }
    const auto rollBack = [this, &undo] {
        try {
            impl_->Execute("ROLLBACK");
        } catch (const EDatabaseError&) {
            // The transaction is over either way.
        }
        impl_->InTransaction = false;
        impl_->TransactionFailed = false;
        undo.swap(impl_->Undo);
    };
    if (impl_->TransactionFailed) {
        rollBack();
        throw EDatabaseError("The transaction was rolled back: one of its statements failed.");
    }
    try {
        impl_->Execute("COMMIT");
    } catch (...) {
        rollBack();
        throw;
    }
    impl_->InTransaction = false;
    impl_->Undo.clear();
}

void Connection::Rollback()
{
    impl_->Notify("ROLLBACK", "ROLLBACK", StatementKind::Transaction);
    std::vector<std::function<void()>> undo;
    const UndoAfterwards afterwards{undo};
    const std::lock_guard lock(impl_->Mutex);
    if (!impl_->InTransaction) {
        return;
    }
    impl_->InTransaction = false;
    impl_->TransactionFailed = false;
    undo.swap(impl_->Undo);
    impl_->Execute("ROLLBACK");
}

void Connection::UndoOnRollback(std::function<void()> undo)
{
    const std::lock_guard lock(impl_->Mutex);
    if (impl_->InTransaction && undo) {
        impl_->Undo.push_back(std::move(undo));
    }
}

bool Connection::InTransaction() const
{
    const std::lock_guard lock(impl_->Mutex);
    return impl_->InTransaction;
}

bool Connection::TransactionFailed() const
{
    const std::lock_guard lock(impl_->Mutex);
    return impl_->InTransaction && impl_->TransactionFailed;
}

void Connection::LockName(std::string_view name)
{
    if (GetEngine() != Engine::Postgres) {
        return;
    }
    const std::string statement = "SELECT pg_advisory_xact_lock(hashtext(" + QuotedText(name) + "))";
    impl_->Run(statement, statement, StatementKind::Internal);
}

FieldDefs Connection::ReadFieldDefs(const std::string& table)
{
    if (!IsPlainIdentifier(table)) {
        throw EDatabaseError("<" + table + "> is not a plain table name.", ErrorKind::Refused);
    }
    FieldDefs defs;
    const auto text = [](const CellValue& cell) { return FieldValue({}, &cell).AsString(); };
    const auto integer = [](const CellValue& cell) { return FieldValue({}, &cell).AsLargeInt(); };
    if (GetEngine() == Engine::Sqlite) {
        const std::string statement = "PRAGMA table_info(" + table + ")";
        const ResultData result = impl_->Run(statement, statement, StatementKind::Internal);
        // cid, name, type, notnull, dflt_value, pk
        int keyColumns = 0;
        for (const auto& row : result.Rows) {
            keyColumns += integer(row[5]) > 0 ? 1 : 0;
        }
        for (const auto& row : result.Rows) {
            defs.push_back(SqliteFieldDef(text(row[1]), text(row[2]), integer(row[3]) != 0,
                                          integer(row[5]) > 0 && keyColumns == 1));
        }
        return defs;
    }
    const std::string statement =
        "SELECT a.attname, t.typname, a.atttypmod, a.attnotnull, a.attidentity <> '', a.attgenerated <> '', "
        "COALESCE(pg_get_expr(d.adbin, d.adrelid), '') FROM pg_attribute a JOIN pg_type t ON t.oid = a.atttypid "
        "LEFT JOIN pg_attrdef d ON d.adrelid = a.attrelid AND d.adnum = a.attnum "
        "WHERE a.attrelid = to_regclass("
        + QuotedText(table) + ") AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum";
    const ResultData result = impl_->Run(statement, statement, StatementKind::Internal);
    for (const auto& row : result.Rows) {
        defs.push_back(PostgresFieldDef(text(row[0]), text(row[1]), static_cast<int>(integer(row[2])),
                                        FieldValue({}, &row[3]).AsBoolean(), FieldValue({}, &row[4]).AsBoolean(),
                                        FieldValue({}, &row[5]).AsBoolean(), text(row[6])));
    }
    return defs;
}

void Connection::SetBeforeStatement(BeforeStatement callback)
{
    impl_->Before = std::move(callback);
}

} // namespace fw::db
