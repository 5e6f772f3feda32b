// The database layer's two busiest operations on SQLite and on PostgreSQL: 10,000 key draws
// (GetKey, the name's lock switched off) and 10,000 lock/unlock pairs of one record, each
// beside a bare Qt SQL loop that sends the very same statements on a plain QSqlDatabase.
// The summary gives the rates, their target of 10,000 a second, and our time as a multiple
// of the bare loop's (the layer's overhead).
//
// PostgreSQL is the server the libpq environment names (bench.sh starts one with
// pg_virtualenv); without PGHOST its rows are left out.
#include <benchmark/benchmark.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench_report.h"
#include "database/db_data_lock.h"
#include "database/db_generic_info.h"
#include "database/db_record_key.h"
#include "framework/db/db_alias.h"
#include "framework/db/db_connection.h"
#include "framework/db/db_query.h"

namespace {

using bench::Fixed;
using bench::PadLeft;

constexpr int Operations = 10000;
constexpr double TargetPerSecond = 10000;

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// One engine's database: an alias for the layer, a plain Qt connection for the bare loop.
struct Engine {
    std::string Label;
    bool Postgres = false;
    std::string Alias;
    std::string Schema;
    std::filesystem::path Folder;
    fw::db::AliasDefinition Definition;
    QSqlDatabase Bare;
    std::unique_ptr<fw::db::Connection> Host;
    std::unique_ptr<TDBGenericInfo> Info;
    std::unique_ptr<TDBGenericDataLock> Locks;
};

void Run(fw::db::Connection& connection, const std::string& statement)
{
    fw::db::Query query;
    query.SetConnection(&connection);
    query.SetText(statement);
    query.ExecSQL();
}

void RunBare(QSqlDatabase& database, const std::string& statement)
{
    QSqlQuery query(database);
    if (!query.exec(QString::fromStdString(statement))) {
        throw std::runtime_error(query.lastError().text().toStdString());
    }
}

// Like the layer, the bare loop reads its rows whole before it goes on.
int BareValue(QSqlDatabase& database, const std::string& statement)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QString::fromStdString(statement))) {
        throw std::runtime_error(query.lastError().text().toStdString());
    }
    int value = -1;
    while (query.next()) {
        value = query.value(0).toInt();
    }
    return value;
}

std::unique_ptr<Engine> MakeEngine(bool postgres)
{
    auto engine = std::make_unique<Engine>();
    engine->Postgres = postgres;
    engine->Label = postgres ? "PostgreSQL" : "SQLite";
    engine->Alias = std::string("bench_") + (postgres ? "pg" : "sqlite");
    fw::db::AliasDefinition& definition = engine->Definition;
    std::vector<std::string> statements;
    if (postgres) {
        definition.Kind = fw::db::Engine::Postgres;
        definition.Host = Environment("PGHOST");
        definition.Port = Environment("PGPORT").empty() ? 0 : std::stoi(Environment("PGPORT"));
        definition.UserName = Environment("PGUSER");
        definition.Password = Environment("PGPASSWORD");
        definition.Database = Environment("PGDATABASE");
        engine->Schema = "bench_" + std::to_string(::getpid());
        fw::db::RegisterAlias(engine->Alias, definition);
        fw::db::Connection admin;
        admin.SetAliasName(engine->Alias);
        admin.Open();
        Run(admin, "CREATE SCHEMA " + engine->Schema);
        definition.StartupStatements = {"SET search_path TO " + engine->Schema};
    } else {
        engine->Folder = std::filesystem::temp_directory_path() / ("tavelin_bench_db_" + std::to_string(::getpid()));
        std::filesystem::create_directories(engine->Folder);
        definition.Kind = fw::db::Engine::Sqlite;
        definition.Database = (engine->Folder / "bench.db").string();
        definition.StartupStatements = {"PRAGMA synchronous = NORMAL"};
    }
    fw::db::RegisterAlias(engine->Alias, definition);
    {
        fw::db::Connection setUp;
        setUp.SetAliasName(engine->Alias);
        setUp.Open();
        Run(setUp, "CREATE TABLE Data_Locks (TableName VARCHAR(40) NOT NULL, Keys VARCHAR(40) NOT NULL DEFAULT '', "
                   "UserID VARCHAR(40) NOT NULL, LockDate VARCHAR(8), LockTime VARCHAR(6), LockCount INT NOT NULL, "
                   "UNIQUE (TableName, Keys))");
        Run(setUp, "CREATE TABLE Key_Registry (KeyName VARCHAR(40) NOT NULL UNIQUE, LastValue INT NOT NULL)");
    }

    engine->Bare = QSqlDatabase::addDatabase(postgres ? "QPSQL" : "QSQLITE", QString::fromStdString(engine->Alias));
    engine->Bare.setDatabaseName(QString::fromStdString(definition.Database));
    if (postgres) {
        engine->Bare.setHostName(QString::fromStdString(definition.Host));
        engine->Bare.setPort(definition.Port);
        engine->Bare.setUserName(QString::fromStdString(definition.UserName));
        engine->Bare.setPassword(QString::fromStdString(definition.Password));
    } else {
        engine->Bare.setConnectOptions("QSQLITE_BUSY_TIMEOUT=5000");
    }
    if (!engine->Bare.open()) {
        throw std::runtime_error(engine->Bare.lastError().text().toStdString());
    }
    for (const std::string& statement : definition.StartupStatements) {
        RunBare(engine->Bare, statement);
    }
    if (!postgres) {
        RunBare(engine->Bare, "PRAGMA journal_mode = WAL");
    }

    engine->Host = std::make_unique<fw::db::Connection>();
    engine->Host->SetAliasName(engine->Alias);
    engine->Info = std::make_unique<TDBGenericInfo>();
    engine->Info->SetDBAlias(engine->Alias);
    engine->Info->SetDatabase(engine->Host.get());
    engine->Info->SetCurrentUserID("bench");
    engine->Locks = std::make_unique<TDBGenericDataLock>();
    engine->Info->SetLocks(engine->Locks.get());
    return engine;
}

void DropEngine(std::unique_ptr<Engine>& engine)
{
    if (!engine) {
        return;
    }
    engine->Info->SetLocks(nullptr);
    engine->Locks.reset();
    engine->Info.reset();
    engine->Host.reset();
    engine->Bare.close();
    engine->Bare = QSqlDatabase();
    QSqlDatabase::removeDatabase(QString::fromStdString(engine->Alias));
    if (engine->Postgres) {
        fw::db::AliasDefinition definition = engine->Definition;
        definition.StartupStatements.clear();
        fw::db::RegisterAlias(engine->Alias, definition);
        fw::db::Connection admin;
        admin.SetAliasName(engine->Alias);
        admin.Open();
        Run(admin, "DROP SCHEMA " + engine->Schema + " CASCADE");
    } else {
        std::error_code ignored;
        std::filesystem::remove_all(engine->Folder, ignored);
    }
    fw::db::RemoveAlias(engine->Alias);
    engine.reset();
}

std::unique_ptr<Engine> sqlite;
std::unique_ptr<Engine> postgres;

Engine* EngineOf(const benchmark::State& state)
{
    return state.range(0) == 0 ? sqlite.get() : postgres.get();
}

void KeyDrawLayer(benchmark::State& state)
{
    Engine* engine = EngineOf(state);
    if (engine == nullptr) {
        state.SkipWithError("no server");
        return;
    }
    engine->Locks->SetEnabled(false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine->Info->RecordKey().GetKey("LAYER"));
    }
    engine->Locks->SetEnabled(true);
}

void KeyDrawBare(benchmark::State& state)
{
    Engine* engine = EngineOf(state);
    if (engine == nullptr) {
        state.SkipWithError("no server");
        return;
    }
    const std::string where = " WHERE Upper(KeyName) = 'BARE'";
    for (auto _ : state) {
        RunBare(engine->Bare, engine->Postgres ? "BEGIN" : "BEGIN IMMEDIATE");
        const int last = BareValue(engine->Bare, "SELECT LastValue FROM Key_Registry" + where
                                                     + (engine->Postgres ? " FOR UPDATE" : ""));
        if (last < 0) {
            RunBare(engine->Bare, "INSERT INTO Key_Registry (KeyName, LastValue) VALUES ('BARE', 1)");
        } else {
            RunBare(engine->Bare, "UPDATE Key_Registry SET LastValue = " + std::to_string(last + 1) + where);
        }
        RunBare(engine->Bare, "COMMIT");
    }
}

void LockPairLayer(benchmark::State& state)
{
    Engine* engine = EngineOf(state);
    if (engine == nullptr) {
        state.SkipWithError("no server");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine->Info->LockRecord("Cards", 5));
        benchmark::DoNotOptimize(engine->Info->UnlockRecord("Cards", 5));
    }
}

void LockPairBare(benchmark::State& state)
{
    Engine* engine = EngineOf(state);
    if (engine == nullptr) {
        state.SkipWithError("no server");
        return;
    }
    const std::string begin = engine->Postgres ? "BEGIN" : "BEGIN IMMEDIATE";
    const std::string name = "SELECT pg_advisory_xact_lock(hashtext('Data_Locks/Cards'))";
    const std::string key = "TableName = 'Cards' AND Keys = '5'";
    for (auto _ : state) {
        RunBare(engine->Bare, begin);
        if (engine->Postgres) {
            BareValue(engine->Bare, name);
        }
        BareValue(engine->Bare, "SELECT * FROM Data_Locks WHERE TableName = 'Cards' AND ( Keys = '5' OR Keys = '') "
                                "AND UserID <> 'bench'");
        BareValue(engine->Bare, "SELECT * FROM Data_Locks WHERE " + key);
        RunBare(engine->Bare, "INSERT INTO Data_Locks (TableName, Keys, UserID, LockDate, LockTime, LockCount) "
                              "VALUES ('Cards', '5', 'bench', '20240131', '235959', 1)");
        RunBare(engine->Bare, "COMMIT");
        RunBare(engine->Bare, begin);
        if (engine->Postgres) {
            BareValue(engine->Bare, name);
        }
        BareValue(engine->Bare, "SELECT * FROM Data_Locks WHERE " + key);
        RunBare(engine->Bare, " DELETE FROM Data_Locks\n WHERE " + key);
        RunBare(engine->Bare, "COMMIT");
    }
}

BENCHMARK(KeyDrawLayer)->ArgName("postgres")->Arg(0)->Arg(1)->Iterations(Operations)->Unit(benchmark::kMicrosecond);
BENCHMARK(KeyDrawBare)->ArgName("postgres")->Arg(0)->Arg(1)->Iterations(Operations)->Unit(benchmark::kMicrosecond);
BENCHMARK(LockPairLayer)->ArgName("postgres")->Arg(0)->Arg(1)->Iterations(Operations)->Unit(benchmark::kMicrosecond);
BENCHMARK(LockPairBare)->ArgName("postgres")->Arg(0)->Arg(1)->Iterations(Operations)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    try {
        sqlite = MakeEngine(false);
        if (!Environment("PGHOST").empty()) {
            postgres = MakeEngine(true);
        } else {
            std::cout << "PGHOST is not set: PostgreSQL is left out (bench.sh starts a server).\n";
        }
    } catch (const std::exception& error) {
        std::cerr << "Setting up the databases failed: " << error.what() << '\n';
        return 1;
    }

    bench::CapturingReporter reporter;
    const bool ran = bench::RunBenchmarks(argc, argv, reporter);

    std::cout << "\nThe database layer against a bare Qt SQL loop of the same statements, " << Operations
              << " operations each (ratio = our time / the bare loop's):\n";
    for (const int engine : {0, 1}) {
        for (const auto& [label, key] : {std::pair{"key draws", "KeyDraw"}, std::pair{"lock/unlock pairs", "LockPair"}}) {
            const std::string suffix = std::string("/postgres:") + (engine == 1 ? "1" : "0");
            const double ours = reporter.Time(std::string(key) + "Layer" + suffix);
            const double bare = reporter.Time(std::string(key) + "Bare" + suffix);
            if (ours <= 0 || bare <= 0) {
                continue;
            }
            const double perSecond = 1e6 / ours;
            std::cout << "  " << PadLeft(engine == 1 ? "PostgreSQL" : "SQLite", 10) << ", " << label << ": ours "
                      << PadLeft(Fixed(perSecond, 0), 7) << " /s, bare Qt " << PadLeft(Fixed(1e6 / bare, 0), 7)
                      << " /s, ratio " << Fixed(ours / bare, 2)
                      << bench::Verdict("10,000 a second", perSecond >= TargetPerSecond) << "\n";
        }
    }
    DropEngine(postgres);
    DropEngine(sqlite);
    return ran ? 0 : 1;
}
