#pragma once

// Real databases for the tests: a fresh SQLite file, or a fresh schema on the PostgreSQL
// server that the libpq environment names (test.sh starts one with pg_virtualenv, which
// sets PGHOST, PGPORT, PGUSER, PGPASSWORD and PGDATABASE). Parameterised fixtures run the
// same test on both; a PostgreSQL test without its server fails, it never skips.

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/db/db_alias.h"
#include "framework/db/db_connection.h"
#include "framework/db/db_error.h"
#include "framework/db/db_query.h"
#include "framework/db/db_session.h"
#include "support/scratch_folder.h"

enum class TestEngine { Sqlite, Postgres };

inline std::string EngineLabel(const testing::TestParamInfo<TestEngine>& info)
{
    return info.param == TestEngine::Sqlite ? "Sqlite" : "Postgres";
}

// One database of the test's own behind an alias of its own; gone again at the end.
class TestDatabase {
public:
    explicit TestDatabase(TestEngine engine) : engine_(engine)
    {
        static std::atomic<int> counter{0};
        const std::string serial = std::to_string(::getpid()) + "_" + std::to_string(++counter);
        alias_ = "tavelin_test_" + serial;
        fw::db::AliasDefinition definition;
        if (engine == TestEngine::Sqlite) {
            folder_ = UniqueScratchFolder("tavelin_db") / serial;
            std::filesystem::remove_all(folder_);
            std::filesystem::create_directories(folder_);
            definition.Kind = fw::db::Engine::Sqlite;
            definition.Database = (folder_ / "test.db").string();
            // A deadlock between threads becomes a failure instead of a hung run.
            definition.BusyTimeoutMs = 2000;
            definition.StartupStatements = {"PRAGMA synchronous = NORMAL"};
            fw::db::RegisterAlias(alias_, definition);
            definition.BusyTimeoutMs = 200;
            fw::db::RegisterAlias(alias_ + "_quick", definition);
            return;
        }
        const char* host = std::getenv("PGHOST");
        if (host == nullptr || *host == '\0') {
            throw fw::db::EDatabaseError("PostgreSQL is not reachable: PGHOST is not set. Run the tests under "
                                         "pg_virtualenv, as test.sh does.");
        }
        definition.Kind = fw::db::Engine::Postgres;
        definition.Host = host;
        definition.Port = Environment("PGPORT").empty() ? 0 : std::stoi(Environment("PGPORT"));
        definition.UserName = Environment("PGUSER");
        definition.Password = Environment("PGPASSWORD");
        definition.Database = Environment("PGDATABASE");
        schema_ = "t_" + serial;
        fw::db::RegisterAlias(alias_ + "_admin", definition);
        Admin("CREATE SCHEMA " + schema_);
        definition.StartupStatements = {"SET search_path TO " + schema_, "SET lock_timeout = '5s'",
                                        "SET statement_timeout = '30s'"};
        fw::db::RegisterAlias(alias_, definition);
        definition.StartupStatements[1] = "SET lock_timeout = '200ms'";
        fw::db::RegisterAlias(alias_ + "_quick", definition);
    }
    ~TestDatabase()
    {
        fw::db::RemoveAlias(alias_);
        fw::db::RemoveAlias(alias_ + "_quick");
        if (engine_ == TestEngine::Postgres) {
            try {
                Admin("DROP SCHEMA " + schema_ + " CASCADE");
            } catch (const std::exception& error) {
                ADD_FAILURE() << "Dropping the test schema failed: " << error.what();
            }
            fw::db::RemoveAlias(alias_ + "_admin");
        } else {
            std::error_code ignored;
            std::filesystem::remove_all(folder_, ignored);
        }
    }
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    TestEngine Engine() const { return engine_; }
    bool IsPostgres() const { return engine_ == TestEngine::Postgres; }
    const std::string& Alias() const { return alias_; }

    // An open connection to the database, on the session given or the default one.
    std::unique_ptr<fw::db::Connection> Connect(fw::db::Session* session = nullptr) const
    {
        auto connection = std::make_unique<fw::db::Connection>(session);
        connection->SetAliasName(alias_);
        connection->Open();
        return connection;
    }

    // The same, through an alias whose locks wait 200 ms instead of seconds.
    std::unique_ptr<fw::db::Connection> ConnectImpatient() const
    {
        auto connection = std::make_unique<fw::db::Connection>();
        connection->SetAliasName(alias_ + "_quick");
        connection->Open();
        return connection;
    }

    // Runs each statement on a connection of its own (table definitions, test rows).
    void Execute(const std::vector<std::string>& statements) const
    {
        auto connection = Connect();
        fw::db::Query query;
        query.SetConnection(connection.get());
        for (const std::string& statement : statements) {
            query.SetText(statement);
            query.ExecSQL();
        }
    }

    // The first column of the first row of a query, as text ("" without a row).
    std::string Scalar(const std::string& statement) const
    {
        auto connection = Connect();
        fw::db::Query query;
        query.SetConnection(connection.get());
        query.SetText(statement);
        query.Open();
        return query.Eof() ? std::string() : query.Fields(0).AsString();
    }

private:
    static std::string Environment(const char* name)
    {
        const char* value = std::getenv(name);
        return value != nullptr ? value : "";
    }
    void Admin(const std::string& statement) const
    {
        fw::db::Connection connection;
        connection.SetAliasName(alias_ + "_admin");
        connection.Open();
        fw::db::Query query;
        query.SetConnection(&connection);
        query.SetText(statement);
        query.ExecSQL();
    }

    TestEngine engine_;
    std::string alias_;
    std::string schema_;
    std::filesystem::path folder_;
};

// The fixture of tests that run on both engines: a fresh database before each test.
class EngineTest : public testing::TestWithParam<TestEngine> {
protected:
    void SetUp() override
    {
        try {
            database_ = std::make_unique<TestDatabase>(GetParam());
        } catch (const std::exception& error) {
            FAIL() << error.what();
        }
    }
    void TearDown() override { database_.reset(); }

    TestDatabase& Db() { return *database_; }
    bool IsPostgres() const { return GetParam() == TestEngine::Postgres; }

private:
    std::unique_ptr<TestDatabase> database_;
};

#define TAVELIN_ON_BOTH_ENGINES(Fixture)                                                                    \
    INSTANTIATE_TEST_SUITE_P(Engines, Fixture, testing::Values(TestEngine::Sqlite, TestEngine::Postgres), \
                             EngineLabel)
