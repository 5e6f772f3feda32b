#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/db/db_connection.h"
#include "framework/db/db_error.h"
#include "framework/db/db_query.h"
#include "framework/db/db_session.h"
#include "support/test_databases.h"

using fw::db::Connection;
using fw::db::EDatabaseError;
using fw::db::ErrorKind;
using fw::db::Query;

namespace {

int RowCount(const TestDatabase& db, const std::string& table)
{
    return std::stoi(db.Scalar("SELECT COUNT(*) FROM " + table));
}

void RunStatement(Connection& connection, const std::string& statement)
{
    Query query;
    query.SetConnection(&connection);
    query.SetText(statement);
    query.ExecSQL();
}

ErrorKind KindOfFailure(Connection& connection, const std::string& statement)
{
    try {
        RunStatement(connection, statement);
    } catch (const EDatabaseError& error) {
        return error.Kind();
    }
    ADD_FAILURE() << "No failure from: " << statement;
    return ErrorKind::Other;
}

} // namespace

TEST(Connection, AnUnknownAliasDoesNotConnect)
{
    Connection connection;
    connection.SetAliasName("no_such_alias");
    try {
        connection.Open();
        FAIL() << "opened";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Kind(), ErrorKind::NotConnected);
        EXPECT_EQ(error.Message(), "The database alias <no_such_alias> is not known.");
    }
    EXPECT_FALSE(connection.Connected());
}

TEST(Connection, ParametersAreNameValueLinesFoundWithoutRegardToCase)
{
    fw::StringList params;
    fw::db::SetParamValue(params, "USER NAME", "alice");
    fw::db::SetParamValue(params, "PASSWORD", "a=b");
    fw::db::SetParamValue(params, "user name", "bob");
    EXPECT_EQ(params.Count(), 2);
    EXPECT_EQ(params.Strings(0), "user name=bob");
    EXPECT_EQ(fw::db::ParamValue(params, "User Name"), "bob");
    EXPECT_EQ(fw::db::ParamValue(params, "PASSWORD"), "a=b");
    EXPECT_EQ(fw::db::ParamValue(params, "UID"), "");
}

TEST(Session, TheDefaultSessionIsOneAndNamedDefault)
{
    EXPECT_EQ(&fw::db::Session::Default(), &fw::db::Session::Default());
    EXPECT_EQ(fw::db::Session::Default().SessionName(), "Default");

    fw::db::Session session;
    session.SetSessionName("DBGSession");
    session.SetAutoSessionName(true);
    fw::db::Session other;
    other.SetSessionName("DBGSession");
    other.SetAutoSessionName(true);
    EXPECT_TRUE(session.SessionName().starts_with("DBGSession_"));
    EXPECT_NE(session.SessionName(), other.SessionName());

    int startups = 0;
    session.SetOnStartup([&](fw::db::Session&) { ++startups; });
    session.SetActive(true);
    session.SetActive(true);
    session.SetActive(false);
    session.SetActive(true);
    EXPECT_EQ(startups, 2);
}

TEST(Session, ConnectionsRegisterWithTheirSessionAndLeaveItWhenFreed)
{
    fw::db::Session session;
    auto* first = new Connection(&session);
    first->SetDatabaseName("Cards");
    new Connection(&session);
    EXPECT_EQ(session.Databases().size(), 2u);
    EXPECT_EQ(session.FindDatabase("cards"), first);
    session.FreeDatabases();
    EXPECT_TRUE(session.Databases().empty());
    EXPECT_EQ(session.FindDatabase("Cards"), nullptr);
}

class ConnectionOnEngine : public EngineTest {};

TEST_P(ConnectionOnEngine, ACommitIsSeenFromAnotherConnectionAndARollbackIsNot)
{
    Db().Execute({"CREATE TABLE Packs (ID INT, Name VARCHAR(20))"});
    auto writer = Db().Connect();
    auto reader = Db().Connect();

    writer->StartTransaction();
    EXPECT_TRUE(writer->InTransaction());
    RunStatement(*writer, "INSERT INTO Packs (ID, Name) VALUES (1, 'kept')");
    // Not yet: the other connection sees committed rows only.
    Query look;
    look.SetConnection(reader.get());
    look.SetText("SELECT COUNT(*) FROM Packs");
    look.Open();
    EXPECT_EQ(look.Fields(0).AsInteger(), 0);
    writer->Commit();
    EXPECT_FALSE(writer->InTransaction());
    look.Open();
    EXPECT_EQ(look.Fields(0).AsInteger(), 1);

    writer->StartTransaction();
    RunStatement(*writer, "INSERT INTO Packs (ID, Name) VALUES (2, 'dropped')");
    writer->Rollback();
    EXPECT_FALSE(writer->InTransaction());
    look.Open();
    EXPECT_EQ(look.Fields(0).AsInteger(), 1);
    EXPECT_EQ(Db().Scalar("SELECT Name FROM Packs"), "kept");
}

TEST_P(ConnectionOnEngine, ATransactionWithAFailedStatementIsRolledBackAtItsCommit)
{
    Db().Execute({"CREATE TABLE Packs (ID INT PRIMARY KEY)"});
    auto connection = Db().Connect();
    connection->StartTransaction();
    EXPECT_THROW(connection->StartTransaction(), EDatabaseError);
    RunStatement(*connection, "INSERT INTO Packs (ID) VALUES (1)");
    EXPECT_EQ(KindOfFailure(*connection, "INSERT INTO Packs (ID) VALUES (1)"), ErrorKind::UniqueViolation);
    // PostgreSQL would answer COMMIT with a silent rollback; we say so, on both engines.
    EXPECT_THROW(connection->Commit(), EDatabaseError);
    EXPECT_FALSE(connection->InTransaction());
    EXPECT_EQ(RowCount(Db(), "Packs"), 0);
    // The connection is usable at once.
    connection->StartTransaction();
    RunStatement(*connection, "INSERT INTO Packs (ID) VALUES (2)");
    connection->Commit();
    EXPECT_EQ(RowCount(Db(), "Packs"), 1);
}

TEST_P(ConnectionOnEngine, StackedStatementsNeverReachTheEngine)
{
    Db().Execute({"CREATE TABLE Packs (ID INT)"});
    auto connection = Db().Connect();
    std::vector<std::string> sent;
    connection->SetBeforeStatement([&](const fw::db::StatementEvent& statement) {
        sent.emplace_back(statement.Sent);
    });
    EXPECT_EQ(KindOfFailure(*connection, "INSERT INTO Packs (ID) VALUES (1); DROP TABLE Packs"),
              ErrorKind::Refused);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(RowCount(Db(), "Packs"), 0);
}

TEST_P(ConnectionOnEngine, AWriterWaitsForAnotherOnlyAsLongAsAllowed)
{
    Db().Execute({"CREATE TABLE Packs (ID INT PRIMARY KEY)", "INSERT INTO Packs (ID) VALUES (1)"});
    auto first = Db().Connect();
    auto second = Db().ConnectImpatient();
    first->StartTransaction();
    RunStatement(*first, "UPDATE Packs SET ID = 2 WHERE ID = 1");
    if (IsPostgres()) {
        second->StartTransaction();
        EXPECT_EQ(KindOfFailure(*second, "UPDATE Packs SET ID = 3 WHERE ID = 1"), ErrorKind::Busy);
        second->Rollback();
    } else {
        // SQLite's writers queue at BEGIN IMMEDIATE.
        try {
            second->StartTransaction();
            ADD_FAILURE() << "a second writer began";
        } catch (const EDatabaseError& error) {
            EXPECT_EQ(error.Kind(), ErrorKind::Busy);
        }
        EXPECT_FALSE(second->InTransaction());
    }
    first->Commit();
    EXPECT_EQ(Db().Scalar("SELECT ID FROM Packs"), "2");
}

TEST_P(ConnectionOnEngine, EveryStatementPassesTheSeamWithItsKind)
{
    Db().Execute({"CREATE TABLE Packs (ID INT)"});
    auto connection = Db().Connect();
    std::vector<std::string> seen;
    connection->SetBeforeStatement([&](const fw::db::StatementEvent& statement) {
        const char* kind = statement.Kind == fw::db::StatementKind::Query ? "Q" : statement.Kind == fw::db::StatementKind::Transaction ? "T" : "I";
        seen.push_back(std::string(kind) + ":" + std::string(statement.Text));
    });
    connection->StartTransaction();
    Query query;
    query.SetConnection(connection.get());
    query.SQL().Add("SELECT ID FROM Packs");
    query.SQL().Add("WHERE ID = 1");
    query.SetLockRows(true);
    query.Open();
    connection->Commit();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], IsPostgres() ? "T:BEGIN" : "T:BEGIN IMMEDIATE");
    EXPECT_EQ(seen[1], "Q:SELECT ID FROM Packs\r\nWHERE ID = 1");
    EXPECT_EQ(seen[2], "T:COMMIT");
}

TEST_P(ConnectionOnEngine, ClosingEndsARunningTransactionWithoutKeepingIt)
{
    Db().Execute({"CREATE TABLE Packs (ID INT)"});
    auto connection = Db().Connect();
    connection->StartTransaction();
    RunStatement(*connection, "INSERT INTO Packs (ID) VALUES (1)");
    connection->Close();
    EXPECT_FALSE(connection->Connected());
    EXPECT_FALSE(connection->InTransaction());
    EXPECT_EQ(RowCount(Db(), "Packs"), 0);
    connection->Open();
    EXPECT_TRUE(connection->Connected());
}

TEST_P(ConnectionOnEngine, TheUndoOfATransactionRunsWhenItIsRolledBackAndIsForgottenAtItsCommit)
{
    Db().Execute({"CREATE TABLE Packs (ID INT PRIMARY KEY)"});
    auto connection = Db().Connect();
    std::vector<std::string> undone;
    const auto remember = [&](const std::string& what) {
        connection->UndoOnRollback([&undone, what] { undone.push_back(what); });
    };
    remember("outside");
    connection->StartTransaction();
    remember("first");
    remember("second");
    connection->Rollback();
    EXPECT_EQ(undone, (std::vector<std::string>{"second", "first"}));

    undone.clear();
    connection->StartTransaction();
    remember("committed");
    connection->Commit();
    connection->Rollback();
    EXPECT_TRUE(undone.empty());

    // A commit that fails rolls back, and so does closing.
    connection->StartTransaction();
    RunStatement(*connection, "INSERT INTO Packs (ID) VALUES (1)");
    remember("failed commit");
    EXPECT_EQ(KindOfFailure(*connection, "INSERT INTO Packs (ID) VALUES (1)"), ErrorKind::UniqueViolation);
    EXPECT_THROW(connection->Commit(), EDatabaseError);
    connection->StartTransaction();
    remember("closed");
    connection->Close();
    EXPECT_EQ(undone, (std::vector<std::string>{"failed commit", "closed"}));
}

TAVELIN_ON_BOTH_ENGINES(ConnectionOnEngine);
