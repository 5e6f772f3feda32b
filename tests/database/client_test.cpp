#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "database/db_access_compound.h"
#include "database/db_access_internal.h"
#include "database/db_access_stub.h"
#include "database/db_generic_info.h"
#include "database/db_generic_query.h"
#include "database/db_session_pool.h"
#include "database/db_table_info.h"
#include "database/db_variants.h"
#include "database_test_support.h"

// Client records, driven end to end through a stub of our own in place of the remote
// access server that this system does not have.

namespace {

// What the pretend server holds and hears.
struct FakeServer {
    std::vector<std::string> columns{"ID", "Name", "Qty"};
    std::map<int, TDBGRemoteRow> rows;
    std::vector<std::string> calls;
    fw::Variant compound;
    int nextKey = 100;
};

class FakeStub : public IDBGenericAccessStub {
public:
    explicit FakeStub(FakeServer& server) : server_(server) {}

    void SetTypeID(int typeID) override { Call("type " + std::to_string(typeID)); }
    void SetUser(const std::string& user) override { Call("user " + user); }
    void SetContext(fw::Object* context) override { Call(context != nullptr ? "context" : "no context"); }
    void Open(int key, const std::string& date) override { Call("open " + std::to_string(key) + " " + date); }
    TDBGRemoteRow Load(int key, const std::string& date) override
    {
        Call("load " + std::to_string(key) + " " + date);
        return server_.rows[key];
    }
    TDBGRemoteRow LoadFields(int key, const std::string& columns, const std::string&) override
    {
        Call("fields " + std::to_string(key) + " " + columns);
        TDBGRemoteRow row;
        for (const auto& [name, value] : server_.rows[key].Values) {
            if (columns.find(name) != std::string::npos) {
                row.Values.emplace_back(name, value);
            }
        }
        return row;
    }
    TDBGRemoteRow Save(const fw::Variant& values) override
    {
        Call("save");
        // The values come as (value, flags) pairs in the order of the columns.
        TDBGRemoteRow row;
        for (std::size_t i = 0; i < server_.columns.size(); ++i) {
            row.Values.emplace_back(server_.columns[i], values.Elements()[i * 2]);
        }
        int key = static_cast<int>(VariantInteger(row.Values[0].second));
        if (key <= 0) {
            key = server_.nextKey++;
            row.Values[0].second = fw::Variant(key);
        }
        row.LoadedKey = fw::Variant(key);
        server_.rows[key] = row;
        return row;
    }
    void SaveToHistory(const fw::Variant&) override { Call("history"); }
    int NewKey() override
    {
        Call("new key");
        return server_.nextKey++;
    }
    int Lock(bool lock, const std::string& user) override
    {
        Call(std::string(lock ? "lock " : "unlock ") + user);
        return lock ? 1 : 0;
    }
    fw::Variant LoadData(const fw::Variant&, const std::string&) override
    {
        Call("load data");
        return server_.compound;
    }
    fw::Variant SaveData(const fw::Variant& data) override
    {
        Call("save data");
        server_.compound = data;
        return {};
    }
    fw::Variant GetData() override
    {
        Call("get data");
        return server_.compound;
    }

private:
    void Call(std::string text) { server_.calls.push_back(std::move(text)); }
    FakeServer& server_;
};

// Counts how many context objects live.
struct Context : fw::Object {
    explicit Context(int& alive) : alive_(alive) { ++alive_; }
    ~Context() override { --alive_; }
    int& alive_;
};

class ClientTest : public testing::Test {
protected:
    ClientTest()
    {
        info.SetCurrentUserID("alice");
        AddTable(1, "Looms");
        AddTable(2, "Orders");
        TDBGenericTableInfo* sets = info.TableList().AddItem();
        sets->SetTableName("LoomSets");
        sets->SetKeyField("ID");
        TDBGTypeIDEntry entry;
        entry.TypeID = 4;
        entry.TableName = "LoomSets";
        info.TypeRegister().Add(entry);
    }
    ~ClientTest() override
    {
        SetStubFactory({});
        SetStubContextHook({});
    }
    void AddTable(int typeID, const std::string& name)
    {
        TDBGenericTableInfo* table = info.TableList().AddItem();
        table->SetTableName(name);
        table->SetPrimaryKey("ID");
        for (const auto& [column, type] : std::vector<std::pair<std::string, TDBGenericFieldType>>{
                 {"ID", dbfInteger}, {"Name", dbfString}, {"Qty", dbfInteger}}) {
            TDBGenericFieldInfo* field = table->Fields().AddItem();
            field->FieldName = column;
            field->DataType = type;
        }
        TDBGTypeIDEntry entry;
        entry.TypeID = typeID;
        entry.TableName = name;
        info.TypeRegister().Add(entry);
    }
    void InstallServer()
    {
        SetStubFactory([this](TDBGenericAccessHandlerBase&) { return std::make_unique<FakeStub>(server); });
    }
    std::unique_ptr<TDBGenericAccessInternal> ClientLoom()
    {
        return std::make_unique<TDBGenericAccessInternal>(1, info.DefaultSession(), true);
    }
    static TDBGRemoteRow Row(int key, const std::string& name, int qty)
    {
        TDBGRemoteRow row;
        row.Values = {{"ID", fw::Variant(key)}, {"Name", fw::Variant(name)}, {"Qty", fw::Variant(qty)}};
        row.LoadedKey = fw::Variant(key);
        return row;
    }

    TDBGenericInfo info;
    FakeServer server;
};

} // namespace

TEST_F(ClientTest, EveryRefusalOfTheClientVariantsHasItsFixedTextOperationAndCode)
{
    struct Expected {
        std::string Message;
        std::string Operation;
        int Code;
    };
    const std::vector<Expected> expected{
        {"The method IsDateInHistory is not available in client clases yet.", "IsDateInHistory", 0},
        {"The method LoadConditionWithQuery in not avaialable to client classes.", "LoadConditionWithQuery", 0},
        {"The method LoadCondition has not bee implemented for client classes yet.", "LoadConditionC", 0},
        {"The method LoadWithQuery is not avaible to client classes.", "LoadWithQuery", 0},
        {"The method LoadCurrent is not avaible to client classes.", "LoadWithQuery", 21},
        {"The LoadFromHistory method is not directly available to client classes.", "LoadFromHistory", 75},
        {"The LoadFromHistoryCondition method is not available to client classes.", "LoadFromHistoryCondition", 75},
        {"The SaveWithQuery method is not directly available to client classes.", "SaveWithQuery", 20},
        {"The SaveToHistoryWithQuery method is not available to client classes.", "SaveToHistoryWithQuery", 71},
        {"The UpdateFields method is not available to client classes.", "UpdateFields", 66},
        {"The RestoreFromHistory method is not available to client classes.", "RestoreFromHistory", 80},
        {"The HistoryRollback method is not available to client classes.", "HistoryRollback", 77},
        {"Client method nt defined yet.", "_getIsNewC", 0},
        {"The UNDELETE method is not available yet in client classes.", "UndeleteC", 37},
        {"The DELETE method is not available yet in client classes.", "DeleteC", 31},
    };
    ASSERT_EQ(ClientRefusals().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(ClientRefusals()[i].Message, expected[i].Message);
        EXPECT_EQ(ClientRefusals()[i].Operation, expected[i].Operation);
        EXPECT_EQ(ClientRefusals()[i].Code, expected[i].Code);
    }

    // Each routed operation of a client record reports its refusal through the component.
    std::vector<Expected> reported;
    info.OnHandleException = [&reported](const std::string& message, int code, fw::Object*, const std::exception*,
                                          const std::string&, const fw::Object*, const std::string& method,
                                          const std::string&) {
        reported.push_back({message, method, code});
        return 0;
    };
    auto loom = ClientLoom();
    TDBGenericAccessHandlerBase& handler = loom->Handler();
    TDBGQueryRef query;
    EXPECT_EQ(handler.IsDateInHistory("20240101"), -1);
    handler.LoadConditionWithQuery("ID = 1", {}, query, true);
    handler.LoadCondition("ID = 1", {});
    handler.LoadWithQuery(fw::Variant(1), {}, query, true);
    handler.LoadCurrent(fw::Variant(1), query, {}, true);
    handler.LoadFromHistory(fw::Variant(1), query, {}, true);
    handler.LoadFromHistoryCondition("ID = 1", {});
    handler.SaveWithQuery(query, true);
    handler.SaveToHistoryWithQuery("20240101", query, true);
    handler.UpdateFields({"Name"});
    handler.RestoreFromHistory("20240101", query, true);
    handler.HistoryRollback("20240101", query, true);
    EXPECT_TRUE(handler.IsNew()) << "a record without a key is new all the same";
    handler.Undelete();
    handler.Delete({});
    ASSERT_EQ(reported.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(reported[i].Message, expected[i].Message);
        EXPECT_EQ(reported[i].Operation, expected[i].Operation);
        EXPECT_EQ(reported[i].Code, expected[i].Code);
    }
    EXPECT_EQ(query, nullptr) << "no refusal makes a query";
}

TEST_F(ClientTest, WithoutAServerTheDefaultFactoryRefuses)
{
    info.SetServerName("tower");
    auto loom = ClientLoom();
    const FirstRecord refused = FailureOf([&] { loom->Load(5); });
    EXPECT_EQ(refused.Message, "No remote access server is available.\r\nServer = tower");
    EXPECT_FALSE(loom->Handler().HasStub());
}

TEST_F(ClientTest, AClientRecordLoadsSavesAndLocksThroughItsStub)
{
    InstallServer();
    int contexts = 0;
    SetStubContextHook([&contexts](TDBGenericAccessHandlerBase&) { return std::make_unique<Context>(contexts); });
    server.rows[5] = Row(5, "Warp", 3);

    auto loom = ClientLoom();
    ASSERT_TRUE(loom->Handler().Load(fw::Variant(5), "20240101"));
    EXPECT_EQ(server.calls, (std::vector<std::string>{"type 1", "user alice", "context", "load 5 20240101"}));
    EXPECT_EQ(contexts, 1);
    EXPECT_EQ(loom->AsText("Name"), "Warp");
    EXPECT_EQ(loom->KeyValue(), 5);
    EXPECT_EQ(loom->Handler().LoadedDate(), "20240101");
    EXPECT_FALSE(loom->IsModified());

    loom->SetInteger("Qty", 4);
    ASSERT_TRUE(loom->Save());
    EXPECT_EQ(VariantInteger(*server.rows[5].Find("Qty")), 4);
    EXPECT_FALSE(loom->Fields().FieldByName("Qty")->Modified()) << "a client save clears every mark";

    server.rows[5] = Row(5, "Weft", 9);
    ASSERT_TRUE(loom->Handler().LoadFields({"Qty", ""}, {}));
    EXPECT_EQ(loom->AsInteger("Qty"), 9);
    EXPECT_EQ(loom->AsText("Name"), "Warp") << "only the named columns come";
    EXPECT_EQ(server.calls.back(), "fields 5 Qty");

    // History: only the current data, and only with a stub.
    const FirstRecord dated = FailureOf([&] { loom->SaveToHistory("20240101"); });
    EXPECT_EQ(dated.Message, "Only current data can be saved to the history tables.\r\nRefObj = "
                             "TDBGenericAccessInternal");
    ASSERT_TRUE(loom->SaveToHistory(""));
    EXPECT_EQ(server.calls.back(), "history");
    auto fresh = ClientLoom();
    const FirstRecord stubless = FailureOf([&] { fresh->SaveToHistory(""); });
    EXPECT_EQ(stubless.Code, 71);

    // A new record gets its key from the server.
    EXPECT_EQ(fresh->Handler().GetRecordKey(), 100);
    EXPECT_EQ(fresh->KeyValue(), 100);

    // A lock opens the record first, then reads it again.
    auto locked = ClientLoom();
    locked->SetKeyValue(5);
    server.calls.clear();
    EXPECT_EQ(locked->Handler().SetRecordLock(true, "alice"), 1);
    EXPECT_EQ(server.calls, (std::vector<std::string>{"type 1", "user alice", "context", "open 5 ", "lock alice",
                                                      "load 5 "}));
    EXPECT_TRUE(locked->Handler().Locked());
    EXPECT_EQ(locked->AsText("Name"), "Weft");
    const FirstRecord twice = FailureOf([&] { locked->Handler().RequestStub(5, {}); });
    EXPECT_EQ(twice.Code, 15);
    EXPECT_TRUE(twice.Message.starts_with("Invalid call to RequestStub - a stub exists already.\r\nClass Name = "
                                          "TDBGenericAccessInternal\r\nID = 5"));
    locked->Handler().ReleaseStub();
    EXPECT_EQ(server.calls.back(), "unlock alice");
    EXPECT_FALSE(locked->Handler().Locked());
    EXPECT_FALSE(locked->Handler().HasStub());
    locked.reset();
    loom.reset();
    fresh.reset();
    EXPECT_EQ(contexts, 0) << "each stub's context goes with it";
}

TEST_F(ClientTest, AClientCompoundTravelsWholeAndItsPartsRefuseToGoAlone)
{
    InstallServer();
    TDBGenericAccessCompound set(4, info.DefaultSession(), true);
    set.AddPart(std::make_unique<TDBGenericAccessInternal>(1, info.DefaultSession(), true), "Loom");
    set.AddPart(std::make_unique<TDBGenericAccessInternal>(2, info.DefaultSession(), true), "Order");
    auto& loom = dynamic_cast<TDBGenericAccessInternal&>(*set.Part(0));
    auto& order = dynamic_cast<TDBGenericAccessInternal&>(*set.Part(1));
    loom.SetText("Name", "Warp");
    order.SetText("Name", "Order");
    server.compound = set.GetData();
    loom.SetText("Name", "");
    order.SetText("Name", "");

    ASSERT_TRUE(set.Load(1));
    EXPECT_EQ(loom.AsText("Name"), "Warp");
    EXPECT_EQ(order.AsText("Name"), "Order");
    EXPECT_FALSE(set.NewRecordMarker());

    // The parts use the compound's stub and refuse to travel alone.
    EXPECT_TRUE(loom.Handler().HasStub());
    EXPECT_EQ(FailureOf([&] { loom.Load(1); }).Code, 32);
    EXPECT_EQ(FailureOf([&] { order.Save(); }).Code, 33);

    server.calls.clear();
    loom.SetText("Name", "Weft");
    ASSERT_TRUE(set.Save());
    EXPECT_EQ(server.calls, (std::vector<std::string>{"save data", "get data"}));
    ASSERT_EQ(server.compound.Elements().size(), 2u);
    EXPECT_EQ(loom.AsText("Name"), "Weft");

    // A read-only compound is not sent.
    set.SetReadOnly(true);
    set.SetFlag(dbrfStrict, true);
    const FirstRecord readOnly = FailureOf([&] { set.Save(); });
    EXPECT_EQ(readOnly.Code, 28);
    EXPECT_TRUE(readOnly.Message.starts_with("Attempt to write a ReadOnly record to table LoomSets.\r\n"));
}
