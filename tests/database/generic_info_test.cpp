#include <gtest/gtest.h>

#include <string>

#include "database/db_access_base.h"
#include "database/db_data_lock.h"
#include "database/db_generic_info.h"
#include "database/db_record_key.h"
#include "database/db_session_pool.h"
#include "database_test_support.h"
#include "framework/core/exceptions.h"

TEST(GenericInfo, WithoutALockComponentNothingIsLockedAndValuesQuoteByTheDelimiter)
{
    TDBGenericInfo info;
    EXPECT_EQ(info.LockRecord("Cards", 5), 0);
    EXPECT_EQ(info.UnlockRecord("Cards", "5"), 0);
    EXPECT_TRUE(info.CanWriteRecord("Cards", 5));
    EXPECT_TRUE(info.CanWriteToTable("Cards"));
    EXPECT_EQ(info.GetSystemDate(), 0);
    EXPECT_EQ(info.QuoteValue("O'Brien"), "'O''Brien'");
    EXPECT_EQ(info.DateTimeToSQL(fw::EncodeDate(2024, 1, 31)), "'01/31/2024 00:00:00'");
    info.SetDBStrDelim("\"");
    EXPECT_EQ(info.QuoteValue("O'Brien"), "\"O'Brien\"");
    info.SetDBDateFormat("YYYY-MM-DD");
    EXPECT_EQ(info.DateTimeToSQL(fw::EncodeDate(2024, 1, 31)), "\"2024-01-31 00:00:00\"");
}

TEST(GenericInfo, TablesAreFoundByNameIgnoringCaseElseReportedWithCode51)
{
    TDBGenericInfo info;
    TDBGenericTableInfo* cards = info.TableList().AddItem();
    cards->SetTableName("Cards");
    cards->SetAlternateTable("A_Cards");
    EXPECT_EQ(info.GetTableByName("CARDS"), cards);
    EXPECT_EQ(info.GetTableByName("cards"), cards);
    EXPECT_EQ(info.GetTableByAlternate("a_cards"), cards);

    const FirstRecord missing = FailureOf([&] { info.GetTableByName("Looms"); });
    EXPECT_EQ(missing.Code, 51);
    EXPECT_EQ(missing.Message, "No information for table Looms found.\r\nRefObj = TDBGenericInfo");
    const FirstRecord alternate = FailureOf([&] { info.GetTableByAlternate("Cards"); });
    EXPECT_EQ(alternate.Code, 51);
    EXPECT_EQ(alternate.Message, "No information for alternate table Cards found.\r\nRefObj = TDBGenericInfo");
    try {
        info.GetTableByName("Looms");
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.GetInfo(0)->MethodName, "_getTableByName");
        EXPECT_EQ(error.GetInfo(0)->SenderName, "TDBGenericInfo");
    }

    // With the host's handler the call returns none and the handler's answer goes nowhere.
    std::string handled;
    info.OnHandleException = [&](const std::string& message, int code, fw::Object* ref, const std::exception*,
                                 const std::string&, const fw::Object* sender, const std::string& method,
                                 const std::string&) {
        handled = message + "|" + std::to_string(code) + "|" + method + "|" + (ref == &info ? "info" : "?")
            + (sender == &info ? "|info" : "|?");
        return 7;
    };
    EXPECT_EQ(info.GetTableByName("Looms"), nullptr);
    EXPECT_EQ(handled, "No information for table Looms found.|51|_getTableByName|info|info");
    EXPECT_EQ(info.HandleException("m", 3, "SELECT 1", "Op", nullptr, "u", nullptr, nullptr), 7);
}

TEST(GenericInfo, TypeIDsLeadThroughTheRegistersToTablesAndClasses)
{
    TDBGenericInfo info;
    TDBGenericTableInfo* cards = info.TableList().AddItem();
    cards->SetTableName("Cards");
    TDBGTypeIDEntry entry;
    entry.TypeID = 3;
    entry.TableName = "cards";
    entry.Client = true;
    TDBGSessionRef* madeOn = nullptr;
    bool madeAsClient = false;
    entry.RecordClass = {"TCardRecord",
                         [&](int typeID, TDBGSessionRef& session, bool client) -> TDBGenericAccessBase* {
                             EXPECT_EQ(typeID, 3);
                             madeOn = &session;
                             madeAsClient = client;
                             return new TDBGenericAccessBase(typeID, session, client);
                         }};
    info.TypeRegister().Add(std::move(entry));
    EXPECT_EQ(info.TypeIDToTableName(3), "cards");
    EXPECT_EQ(info.GetTableByID(3), cards);
    EXPECT_EQ(info.TypeIDToClass(3)->ClassName, "TCardRecord");

    std::vector<fw::Object*> created;
    info.OnCreateRecord = [&created](fw::Object* record) { created.push_back(record); };
    std::unique_ptr<TDBGenericAccessBase> record(info.CreateDBClass(3));
    EXPECT_EQ(created, std::vector<fw::Object*>{record.get()});
    EXPECT_TRUE(record->IsClient());
    EXPECT_EQ(madeOn, &info.DefaultSession());
    EXPECT_TRUE(madeAsClient);

    const FirstRecord unknown = FailureOf([&] { info.TypeIDToTableName(7); });
    EXPECT_EQ(unknown.Message, "Unknown class type id.\r\nID = 7\r\nRefObj = TDBGenericInfo");
    const FirstRecord notMade = FailureOf([&] { info.CreateDBClass(7); });
    EXPECT_EQ(notMade.Code, 52);
    EXPECT_EQ(notMade.Message,
              "Unable to create instance with TypeID = 7.\r\nNo type information is available!\r\nRefObj = TDBGenericInfo");
    const FirstRecord noList = FailureOf([&] { info.ListTypeIDToClass(4); });
    EXPECT_EQ(noList.Message, "Unknown list class type ID.\r\nID = 4\r\nRefObj = TDBGenericInfo");

    // The host's own lookup comes first.
    TDBGenericTableInfo* other = info.TableList().AddItem();
    other->SetTableName("Packs");
    info.OnGetTableByID = [other](TDBGenericInfo&, int id) { return id == 9 ? other : nullptr; };
    EXPECT_EQ(info.GetTableByID(9), other);
    EXPECT_EQ(info.GetTableByID(3), cards);
}

TEST(GenericInfo, DateTextsAndTheDefaultHistoryStart)
{
    TDBGenericInfo info;
    const fw::DateTime moment = fw::ComposeDateTime(fw::EncodeDate(2024, 2, 29), fw::EncodeTime(7, 5, 3));
    EXPECT_EQ(info.DateToDBStr(moment), "20240229");
    EXPECT_EQ(info.TimeToDBStr(moment), "070503");
    EXPECT_EQ(info.AddDaysToDBDateStr("20231231", 1), "20240101");
    EXPECT_DOUBLE_EQ(info.ConvertFromDBDateStr("20240229"), fw::EncodeDate(2024, 2, 29));
    EXPECT_DOUBLE_EQ(info.ConvertFromDBTimeStr("070503"), fw::EncodeTime(7, 5, 3));

    info.SetDefaultHistoryStart("20240131");
    EXPECT_EQ(info.DefaultHistoryStart(), "20240131");
    info.SetDefaultHistoryStart("20240231");
    EXPECT_EQ(info.DefaultHistoryStart(), "19700101");
    info.OnConvertFromDBDateStr = [](TDBGenericInfo&, const std::string&) { return fw::DateTime(0); };
    info.SetDefaultHistoryStart("20240131");
    EXPECT_EQ(info.DefaultHistoryStart(), "19700101");

    info.OnGetSystemDate = [moment](TDBGenericInfo&) { return moment; };
    EXPECT_DOUBLE_EQ(info.GetSystemDate(), moment);
}

TEST(GenericInfo, OptionsReachTheTableListAndTheLockComponentLinksBothWays)
{
    TDBGenericInfo info;
    info.SetOptions({dbfSQLNoScientificFmt, dbfSQLLogging});
    EXPECT_TRUE(info.TableList().FixedFloatText());
    info.SetOptions({dbfSQLLogging});
    EXPECT_FALSE(info.TableList().FixedFloatText());

    auto lock = std::make_unique<TDBGenericDataLock>();
    lock->SetName("Locks1");
    EXPECT_EQ(lock->LockTableName(), "Data_Locks");
    EXPECT_TRUE(lock->Enabled());
    try {
        lock->DBInfo();
        FAIL() << "no error";
    } catch (const fw::Exception& error) {
        EXPECT_EQ(error.Message(), "The DBInfo property of the TDBGenericDataLock component Locks1\r\n has not been set.");
    }
    info.SetLocks(lock.get());
    EXPECT_EQ(lock->DBInfoLink(), &info);
    TDBGenericInfo second;
    lock->SetDBInfo(&second);
    EXPECT_EQ(info.Locks(), nullptr);
    EXPECT_EQ(second.Locks(), lock.get());
    lock.reset();
    EXPECT_EQ(second.Locks(), nullptr);

    info.SetServerName("remote");
    try {
        info.DeleteTableEntries("Cards", "");
        FAIL() << "no error";
    } catch (const fw::Exception& error) {
        EXPECT_EQ(error.Message(), "The DeleteTableEntries method of object TDBGenericInfo\r\nhas not been "
                                   "implemented at client level yet.");
        EXPECT_EQ(dynamic_cast<const TGenericException*>(&error), nullptr);
    }
}
