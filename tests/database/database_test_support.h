#pragma once

// What the tests of the database layer share: the layer's tables on both engines, a user
// (a settings component with its own connection and lock component), a recorder of the
// statements a connection sends, and a gate that holds a thread before a chosen statement.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "database/db_data_lock.h"
#include "database/db_generic_exception.h"
#include "database/db_generic_info.h"
#include "database/db_record_key.h"
#include "database/db_session_pool.h"
#include "framework/db/db_connection.h"
#include "support/test_databases.h"

// The lock table, both key registries and the exception log (its key made by the engine).
inline void CreateLayerTables(const TestDatabase& db)
{
    const std::string logKey =
        db.IsPostgres() ? "LogID SERIAL PRIMARY KEY" : "LogID INTEGER PRIMARY KEY";
    db.Execute({"CREATE TABLE Data_Locks (TableName VARCHAR(40) NOT NULL, Keys VARCHAR(40) NOT NULL DEFAULT '', "
                "UserID VARCHAR(40) NOT NULL, LockDate VARCHAR(8), LockTime VARCHAR(6), LockCount INT NOT NULL, "
                "UNIQUE (TableName, Keys))",
                "CREATE TABLE Key_Registry (KeyName VARCHAR(40) NOT NULL UNIQUE, LastValue INT NOT NULL)",
                "CREATE TABLE A_Key_Registry (KeyName VARCHAR(40) NOT NULL UNIQUE, LastValue INT NOT NULL)",
                "CREATE TABLE Exception_Log (" + logKey + ", Description VARCHAR(80), UserID VARCHAR(40), "
                "LogDate VARCHAR(8), LogTime VARCHAR(6), Comment VARCHAR(2000))"});
}

// One user of the database: a settings component on the "Default" session with a
// connection of its own, the test database's alias for its pooled sessions and a lock
// component. Made and used on one thread.
class LayerUser {
public:
    LayerUser(const TestDatabase& db, const std::string& user, bool locks = true)
    {
        connection.SetAliasName(db.Alias());
        info.SetDBAlias(db.Alias());
        info.SetDatabase(&connection);
        info.SetCurrentUserID(user);
        lock.SetName("Locks1");
        lock.SetEnabled(locks);
        info.SetLocks(&lock);
        // Every test clock reads 31 December 2023, 23:59:58.
        info.SetClock([] { return fw::ComposeDateTime(fw::EncodeDate(2023, 12, 31), fw::EncodeTime(23, 59, 58)); });
    }
    ~LayerUser() { info.SetLocks(nullptr); }
    LayerUser(const LayerUser&) = delete;
    LayerUser& operator=(const LayerUser&) = delete;

    // The exception log's table (type ID -1) with the columns the engine's catalog gives.
    void RegisterExceptionLog()
    {
        TDBGenericTableInfo* table = info.TableList().AddItem();
        table->SetTableName("Exception_Log");
        table->SetKeyField("LogID");
        connection.Open();
        table->Fields().AssignFieldDefs(connection.ReadFieldDefs("Exception_Log"));
        TDBGTypeIDEntry entry;
        entry.TypeID = -1;
        entry.TableName = "Exception_Log";
        info.TypeRegister().Add(std::move(entry));
        info.SetExceptionLogEnabled(true);
    }

    // The connection of the key registries' session.
    fw::db::Connection& KeyConnection() const { return *info.RecordKey().Session()->Database(); }

    fw::db::Connection connection;
    TDBGenericInfo info;
    TDBGenericDataLock lock;
};

// Keeps the text of every query statement sent on the connections it watches.
class StatementLog {
public:
    void Watch(fw::db::Connection& connection)
    {
        connection.SetBeforeStatement([this](const fw::db::StatementEvent& statement) {
            if (statement.Kind == fw::db::StatementKind::Query) {
                const std::lock_guard lock(mutex_);
                texts_.emplace_back(statement.Text);
            }
        });
    }
    std::vector<std::string> Texts() const
    {
        const std::lock_guard lock(mutex_);
        return texts_;
    }
    void Clear()
    {
        const std::lock_guard lock(mutex_);
        texts_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
};

// Holds the thread that sends a statement beginning with the given text (the first time)
// until Release; the test learns through WaitUntilHeld that it got there. Made to hold
// after the statement, it holds before whatever the thread sends next instead.
class StatementGate {
public:
    enum class Where { Before, After };
    explicit StatementGate(std::string prefix, Where where = Where::Before)
        : prefix_(std::move(prefix)), after_(where == Where::After)
    {
    }

    void Watch(fw::db::Connection& connection)
    {
        connection.SetBeforeStatement([this](const fw::db::StatementEvent& statement) { Pass(statement.Text); });
    }
    bool WaitUntilHeld(std::chrono::milliseconds limit = std::chrono::seconds(10))
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [this] { return held_; });
    }
    void Release()
    {
        const std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

private:
    void Pass(std::string_view text)
    {
        std::unique_lock lock(mutex_);
        if (used_) {
            return;
        }
        const bool matches = std::string_view(text).starts_with(prefix_);
        if (after_ && !armed_) {
            armed_ = matches;
            return;
        }
        if (!after_ && !matches) {
            return;
        }
        used_ = true;
        held_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return released_; });
    }

    std::string prefix_;
    bool after_;
    bool armed_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool used_ = false;
    bool held_ = false;
    bool released_ = false;
};

// The first record of a layer error, as (code, message).
struct FirstRecord {
    int Code = -1;
    std::string Message;
    std::string SQL;
};
inline FirstRecord FirstRecordOf(const TGenericException& error)
{
    FirstRecord first;
    if (const TGenericExceptionInfo* info = error.GetInfo(0)) {
        first.Code = info->Code;
        first.Message = info->Message;
        first.SQL = info->SQLText();
    }
    return first;
}

// Runs the action and answers the layer error it raised (a failure when it raised none).
template <class Action>
FirstRecord FailureOf(Action action)
{
    try {
        action();
    } catch (const TGenericException& error) {
        return FirstRecordOf(error);
    }
    ADD_FAILURE() << "no error was raised";
    return {};
}
