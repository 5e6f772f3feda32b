#pragma once

// The record tests' tables on both engines and a user who has them registered: looms (a
// record key from the registry, a modify flag, delete dates and a history table), orders
// (a key the engine makes, and a CHECK on the quantity) and threads (two key columns); a
// list of them, loaded directly.

#include <memory>
#include <string>
#include <vector>

#include "database/db_access_compound.h"
#include "database/db_access_internal.h"
#include "database/db_generic_query.h"
#include "database/db_list.h"
#include "database/db_table_info.h"
#include "database/db_type_registers.h"
#include "database_test_support.h"
#include "framework/core/datetime.h"
#include "framework/core/strings.h"

enum RecordTypes { LoomType = 1, OrderType = 2, ThreadType = 3, LoomSetType = 4 };

inline void CreateRecordTables(const TestDatabase& db)
{
    const std::string serial = db.IsPostgres() ? "ID SERIAL PRIMARY KEY" : "ID INTEGER PRIMARY KEY";
    const std::string loomColumns = "Name VARCHAR(40) NOT NULL DEFAULT '', Qty INT NOT NULL DEFAULT 0 CHECK (Qty >= 0), "
                                    "Price NUMERIC(19,4), Width REAL, Active BOOLEAN, Made TIMESTAMP, "
                                    "ModifyFlag VARCHAR(1) NOT NULL DEFAULT 'F', DeleteDate VARCHAR(8) NOT NULL DEFAULT ''";
    CreateLayerTables(db);
    db.Execute({"CREATE TABLE Looms (ID INT PRIMARY KEY, " + loomColumns + ")",
                "CREATE TABLE H_Looms (ID INT NOT NULL, " + loomColumns
                    + ", HistoryPeriodStart VARCHAR(8) NOT NULL, HistoryPeriodEnd VARCHAR(8) NOT NULL, "
                      "UNIQUE (ID, HistoryPeriodStart))",
                "CREATE TABLE Orders (" + serial + ", Name VARCHAR(40) NOT NULL DEFAULT '', "
                    "Qty INT NOT NULL DEFAULT 0 CHECK (Qty >= 0))",
                "CREATE TABLE Threads (LoomID INT NOT NULL, Hole VARCHAR(4) NOT NULL, Colour VARCHAR(10), "
                "PRIMARY KEY (LoomID, Hole))"});
}

// A statement that puts a period of a loom straight into its history table.
inline std::string Period(int id, const std::string& name, const std::string& start, const std::string& end,
                          int qty = 0, const std::string& deleted = {})
{
    return "INSERT INTO H_Looms (ID, Name, Qty, DeleteDate, HistoryPeriodStart, HistoryPeriodEnd) VALUES ("
        + std::to_string(id) + ", '" + name + "', " + std::to_string(qty) + ", '" + deleted + "', '" + start + "', '"
        + end + "')";
}

// Every row of the query, its columns joined by "|".
inline std::vector<std::string> RowsOf(const TestDatabase& db, const std::string& sql)
{
    auto connection = db.Connect();
    fw::db::Query query;
    query.SetConnection(connection.get());
    query.SetText(sql);
    query.Open();
    std::vector<std::string> rows;
    for (; !query.Eof(); query.Next()) {
        std::string row;
        for (int i = 0; i < query.FieldCount(); ++i) {
            row += (i > 0 ? "|" : "") + query.Fields(i).AsString();
        }
        rows.push_back(row);
    }
    return rows;
}

// A user with the record tables registered: looms (type 1), orders (2), threads (3) and a
// set of a loom and its order (4, a compound record).
class RecordUser : public LayerUser {
public:
    RecordUser(const TestDatabase& db, const std::string& user, bool locks = true) : LayerUser(db, user, locks)
    {
        // Date-time texts that both engines read.
        info.SetDBDateFormat("YYYY-MM-DD");
        connection.Open();
        looms = AddRecordTable(LoomType, "Looms", "ID");
        looms->SetRecordKeyName("LOOM");
        looms->SethasHistory(true);
        looms->SethasModifyFlag(true);
        looms->SetCanDelete(true);
        orders = AddRecordTable(OrderType, "Orders", "ID");
        threads = AddRecordTable(ThreadType, "Threads", "LoomID, Hole");
        TDBGenericTableInfo* sets = info.TableList().AddItem();
        sets->SetTableName("LoomSets");
        sets->SetKeyField("ID");
        Register(LoomSetType, "LoomSets", {"TDBGenericAccessCompound", [](int id, TDBGSessionRef& s, bool client) {
                                               auto* set = new TDBGenericAccessCompound(id, s, client);
                                               set->AddPart(std::make_unique<TDBGenericAccessInternal>(LoomType, s, client),
                                                            "Loom");
                                               set->AddPart(std::make_unique<TDBGenericAccessInternal>(OrderType, s, client),
                                                            "Order");
                                               return set;
                                           }});
    }

    std::unique_ptr<TDBGenericAccessInternal> Loom() { return Make<TDBGenericAccessInternal>(LoomType); }
    std::unique_ptr<TDBGenericAccessInternal> Order() { return Make<TDBGenericAccessInternal>(OrderType); }
    std::unique_ptr<TDBGenericAccessInternal> Thread() { return Make<TDBGenericAccessInternal>(ThreadType); }
    std::unique_ptr<TDBGenericAccessCompound> LoomSet() { return Make<TDBGenericAccessCompound>(LoomSetType); }

    // A table made on the engine, its columns read from there, whose records of the type are
    // TDBGenericAccessInternal.
    TDBGenericTableInfo* AddRecordTable(int typeID, const std::string& name, const std::string& key)
    {
        TDBGenericTableInfo* table = info.TableList().AddItem();
        table->SetTableName(name);
        table->SetPrimaryKey(key);
        table->Fields().AssignFieldDefs(connection.ReadFieldDefs(name));
        // PostgreSQL's catalog gives the names folded to lower case; the statements the
        // tests compare spell them as the tables were made.
        for (int i = 0; i < table->Fields().Count(); ++i) {
            for (const char* spelling : {"ID", "Name", "Qty", "Price", "Width", "Active", "Made", "ModifyFlag",
                                         "DeleteDate", "LoomID", "Hole", "Colour"}) {
                if (fw::SameText(table->Fields().Items(i)->FieldName, spelling)) {
                    table->Fields().Items(i)->FieldName = spelling;
                }
            }
        }
        Register(typeID, name, {"TDBGenericAccessInternal", [](int id, TDBGSessionRef& session, bool client) {
                                    return new TDBGenericAccessInternal(id, session, client);
                                }});
        return table;
    }
    void Register(int typeID, const std::string& table, TDBGRecordClass recordClass)
    {
        TDBGTypeIDEntry entry;
        entry.TypeID = typeID;
        entry.TableName = table;
        entry.RecordClass = std::move(recordClass);
        info.TypeRegister().Add(std::move(entry));
    }

    template <class Record>
    std::unique_ptr<Record> Make(int typeID)
    {
        std::unique_ptr<TDBGenericAccessBase> made(info.CreateDBClass(typeID));
        auto* typed = dynamic_cast<Record*>(made.get());
        if (typed == nullptr) {
            ADD_FAILURE() << "type " << typeID << " made no record of the class asked for";
            return nullptr;
        }
        made.release();
        return std::unique_ptr<Record>(typed);
    }

    TDBGenericTableInfo* looms = nullptr;
    TDBGenericTableInfo* orders = nullptr;
    TDBGenericTableInfo* threads = nullptr;
};

// A list of records of one type (looms unless told), loaded directly, in the order the
// test gives it.
class LoomList : public TDBGenericListBase {
public:
    explicit LoomList(TDBGSessionRef& session, int typeID = LoomType) : TDBGenericListBase(typeID, session) {}

    std::string_view className() const override { return "TLoomList"; }
    std::string OrderText() const override { return order; }

    // The Name of every record, in the list's order.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < Count(); ++i) {
            names.push_back(dynamic_cast<TDBGenericAccessInternal&>(*Items(i)).AsText("Name"));
        }
        return names;
    }

    std::string order;

protected:
    std::unique_ptr<TDBGenericListHandler> NewHandler() override
    {
        return std::make_unique<TDBGenericListHandlerDirect>(*this, IsClient());
    }
};

// The fixture of the record tests on both engines: the tables and Alice.
class RecordEngineTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        CreateRecordTables(Db());
        alice = std::make_unique<RecordUser>(Db(), "alice");
    }
    void TearDown() override
    {
        alice.reset();
        EngineTest::TearDown();
    }
    std::vector<std::string> Rows(const std::string& sql) { return RowsOf(Db(), sql); }
    // The day Alice's layer takes for today.
    void SetToday(int year, int month, int day)
    {
        alice->info.OnGetSystemDate = [today = fw::EncodeDate(year, month, day)](TDBGenericInfo&) { return today; };
    }

    std::unique_ptr<RecordUser> alice;
};

// The record tests of a list of looms, made for Alice.
class LoomListTest : public RecordEngineTest {
protected:
    void SetUp() override
    {
        RecordEngineTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        list = std::make_unique<LoomList>(alice->info.DefaultSession());
    }
    void TearDown() override
    {
        list.reset();
        RecordEngineTest::TearDown();
    }

    std::unique_ptr<LoomList> list;
};
