#pragma once

#include <string>

#include "framework/core/object.h"

class TDBGenericInfo;
class TDBGSessionRef;
class TDBGenericQuery;

// Draws new integer keys from a key table that holds, per key name, the last value handed
// out. It works on a session of its own (the settings component reserves one), so that a
// key is committed whatever becomes of the caller's transaction. Not so on SQLite while the
// calling thread owns a transaction: SQLite lets one writer in at a time, so the draw joins
// that transaction (db_generic_query.h) and lives or dies with it: a record saved there
// gives its key back when that transaction is rolled back (TDBGKeysGivenBack), so
// that the number, handed out again, never reaches two rows.
//
// Statements (N = the upper-cased, trimmed name, quoted):
//   SELECT LastValue FROM Key_Registry WHERE Upper(KeyName) = N
//   UPDATE Key_Registry SET LastValue = <key> WHERE Upper(KeyName) = N
//   INSERT INTO Key_Registry (KeyName, LastValue) VALUES (N, 1)
// Names are upper-cased beyond ASCII ("öse" gives ÖSE), which the engines' Upper() do not
// all do alike. So when the first statement finds no row, every row's name is upper-cased
// here before a new row is made, and a row found so is counted on under its stored name:
//   SELECT KeyName, LastValue FROM Key_Registry
//   UPDATE Key_Registry SET LastValue = <key> WHERE KeyName = <the stored name>
//
// Two callers never get the same key: the draw is one transaction whose read locks the
// row (PostgreSQL: FOR UPDATE; SQLite: the write transaction from its start), the key
// table must hold UNIQUE (KeyName), and when two first draws of a name both insert, the
// loser draws once more and finds the winner's row. The settings component's lock of the
// name (when a lock component is enabled) is taken around the draw, and given back only
// when it was taken.
class TDBGenericRecordKey : public fw::Persistent {
public:
    TDBGenericRecordKey(TDBGenericInfo& info, std::string keyTable);

    std::string_view className() const override { return "TDBGenericRecordKey"; }
    // The three texts.
    void Assign(const fw::Persistent* source) override;

    const std::string& KeyTable() const { return keyTable_; }
    void SetKeyTable(std::string table) { keyTable_ = std::move(table); }
    const std::string& ValueField() const { return valueField_; }
    void SetValueField(std::string field) { valueField_ = std::move(field); }
    const std::string& KeyNameField() const { return keyNameField_; }
    void SetKeyNameField(std::string field) { keyNameField_ = std::move(field); }

    TDBGSessionRef* Session() const { return session_; }
    void SetSession(TDBGSessionRef* session) { session_ = session; }

    // The new key: 1 for a name's first draw. A failure of the draw is raised as "Error
    // during key generation." ("_GetKey", the statement's text); any failure then goes to
    // the settings component's HandleException as "Failed to generate key <name>." (2,
    // "GetKey"), and when the host's handler returns, the answer is -1. A refused name lock
    // is such a failure: the draw goes no further.
    int GetKey(const std::string& keyName);

private:
    int Draw(const std::string& name);
    // When the engine's Upper() found no row: the row whose name, upper-cased as the layer
    // does it, is the name; its name as stored and the key that follows its value.
    bool FindOtherSpelling(TDBGenericQuery& query, const std::string& name, std::string& stored, int& key,
                           std::string& sql);

    TDBGenericInfo& info_;
    std::string keyTable_;
    std::string valueField_ = "LastValue";
    std::string keyNameField_ = "KeyName";
    TDBGSessionRef* session_ = nullptr;
};
