#include "database/db_record_key.h"

#include <memory>

#include "database/db_generic_info.h"
#include "database/db_generic_query.h"
#include "database/db_session_pool.h"
#include "framework/core/exceptions.h"
#include "framework/core/strings.h"
#include "framework/db/db_error.h"
#include "framework/db/db_text_case.h"

TDBGenericRecordKey::TDBGenericRecordKey(TDBGenericInfo& info, std::string keyTable)
    : info_(info), keyTable_(std::move(keyTable))
{
}

void TDBGenericRecordKey::Assign(const fw::Persistent* source)
{
    if (auto* other = dynamic_cast<const TDBGenericRecordKey*>(source)) {
        keyTable_ = other->keyTable_;
        valueField_ = other->valueField_;
        keyNameField_ = other->keyNameField_;
        return;
    }
    fw::Persistent::Assign(source);
}

int TDBGenericRecordKey::GetKey(const std::string& keyName)
{
    // Upper-cased beyond ASCII too: the row is found by the engine's Upper() of the stored
    // name, which must give the stored name itself on every engine.
    const std::string name = fw::db::UpperCaseText(fw::Trim(keyName));
    bool locked = false;
    try {
        // A name lock that was refused (and reported to a host that let the call go on) is
        // not this draw's: nothing is drawn without it, and it is not unlocked.
        const TDBGErrorWatch watch;
        info_.LockRecord(keyTable_, name);
        if (watch.Reported()) {
            throw fw::Exception("The key name " + name + " could not be locked.");
        }
        locked = true;
        const int key = Draw(name);
        locked = false;
        info_.UnlockRecord(keyTable_, name);
        return key;
    } catch (const std::exception& error) {
        if (locked) {
            try {
                info_.UnlockRecord(keyTable_, name);
            } catch (const std::exception&) {
                // The draw's failure is the one to report.
            }
        }
        info_.HandleException("Failed to generate key " + name + ".", 2, {}, "GetKey", this, {}, &error, &info_);
        return -1;
    }
}

int TDBGenericRecordKey::Draw(const std::string& name)
{
    TDBGSessionRef& session = session_ != nullptr ? *session_ : info_.DefaultSession();
    const std::string condition = " WHERE Upper(" + keyNameField_ + ") = " + fw::UpperCase(info_.QuoteValue(name));
    // Two first draws of a name may both insert; the loser finds the winner's row next time.
    for (int attempt = 0;; ++attempt) {
        std::unique_ptr<TDBGenericQuery> query;
        std::string sql;
        try {
            query = std::make_unique<TDBGenericQuery>(session, this, true);
            query->SQL().Add("SELECT " + valueField_ + " FROM " + keyTable_ + condition);
            query->SetLockRows(true);
            sql = query->Text();
            query->Open();
            int key = 1;
            std::string stored;
            if (!query->Eof()) {
                key = query->Fields(0).AsInteger() + 1;
                query->SQL().Clear();
                query->SQL().Add("UPDATE " + keyTable_ + " SET " + valueField_ + " = " + fw::IntToStr(key) + condition);
            } else if (FindOtherSpelling(*query, name, stored, key, sql)) {
                query->SQL().Clear();
                query->SQL().Add("UPDATE " + keyTable_ + " SET " + valueField_ + " = " + fw::IntToStr(key) + " WHERE "
                                 + keyNameField_ + " = " + info_.QuoteValue(stored));
            } else {
                query->SQL().Clear();
                query->SQL().Add("INSERT INTO " + keyTable_ + " (" + keyNameField_ + ", " + valueField_ + ")"
                                 + " VALUES (" + info_.QuoteValue(name) + ", 1)");
            }
            sql = query->Text();
            query->ExecSQL();
            TDBGenericQuery::ReleaseCommit(query);
            return key;
        } catch (const std::exception& error) {
            try {
                TDBGenericQuery::ReleaseRollback(query);
            } catch (const std::exception&) {
                // The draw's own failure is the one to report.
            }
            const auto* engine = dynamic_cast<const fw::db::EDatabaseError*>(&error);
            if (attempt == 0 && engine != nullptr && engine->Kind() == fw::db::ErrorKind::UniqueViolation) {
                continue;
            }
            throw TDBGenericException("Error during key generation.", sql, "_GetKey", this, {}, &error, nullptr);
        }
    }
}

bool TDBGenericRecordKey::FindOtherSpelling(TDBGenericQuery& query, const std::string& name, std::string& stored,
                                            int& key, std::string& sql)
{
    // The engine's Upper() misses a row whose name has letters beyond ASCII in another case
    // than ours: SQLite upper-cases ASCII only, PostgreSQL none beyond it under the C locale
    // and "ß" to itself everywhere. Such rows were stored by the host or by builds that
    // upper-cased ASCII only; each name is upper-cased here as the layer does it.
    // The rows are read locked (the query still asks for it), as the first statement's row
    // would have been, so that no other draw counts on from the same value meanwhile.
    query.Close();
    query.SQL().Clear();
    query.SQL().Add("SELECT " + keyNameField_ + ", " + valueField_ + " FROM " + keyTable_);
    sql = query.Text();
    query.Open();
    for (; !query.Eof(); query.Next()) {
        const std::string spelling = query.Fields(0).AsString();
        if (fw::db::UpperCaseText(fw::Trim(spelling)) == name) {
            stored = spelling;
            key = query.Fields(1).AsInteger() + 1;
            query.Close();
            return true;
        }
    }
    query.Close();
    return false;
}
