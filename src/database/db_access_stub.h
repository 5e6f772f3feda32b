#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/variant.h"

class TDBGenericAccessHandlerBase;

// Client mode: a record that works as a client hands its work to a remote access server
// through a stub. The server is not part of this program; this interface holds what the
// client variants of the records need from one, and a program-wide factory makes the
// stubs. With no server installed the factory refuses (DefaultStubFactory).

// A row as the server hands it back: named values, and the key the record was loaded or
// saved under (an integer, or an array of the key columns' values).
struct TDBGRemoteRow {
    std::vector<std::pair<std::string, fw::Variant>> Values;
    fw::Variant LoadedKey;

    // Ignoring case; none when the row has no such value.
    const fw::Variant* Find(std::string_view name) const;
};

// Every call may fail; a failing call raises its own error, which the record passes on.
class IDBGenericAccessStub {
public:
    virtual ~IDBGenericAccessStub() = default;

    // Who the stub works for: the record's type ID, the user, and the host's context
    // object (none without a stub-context hook).
    virtual void SetTypeID(int typeID) = 0;
    virtual void SetUser(const std::string& user) = 0;
    virtual void SetContext(fw::Object* context) = 0;

    // Opens the record of the key as it was on the date (empty: the current row).
    virtual void Open(int key, const std::string& date) = 0;
    virtual TDBGRemoteRow Load(int key, const std::string& date) = 0;
    // Only the columns named (joined by ", ").
    virtual TDBGRemoteRow LoadFields(int key, const std::string& columns, const std::string& date) = 0;
    // The record's values (its GetData array) in; the row as saved, with its key, out.
    virtual TDBGRemoteRow Save(const fw::Variant& values) = 0;
    virtual void SaveToHistory(const fw::Variant& values) = 0;
    virtual int NewKey() = 0;
    // The answer of the server's lock table.
    virtual int Lock(bool lock, const std::string& user) = 0;

    // A compound record travels whole, as its GetData array of (section, part data) pairs.
    virtual fw::Variant LoadData(const fw::Variant& key, const std::string& date) = 0;
    // The server's reference to what it saved; empty when it keeps none, and the client
    // then reads the data back with GetData.
    virtual fw::Variant SaveData(const fw::Variant& data) = 0;
    virtual fw::Variant GetData() = 0;
};

// Makes the stub of a client record's handler (the handler names the record and its
// settings component, whose ServerName says where the server runs).
using TDBGStubFactory = std::function<std::unique_ptr<IDBGenericAccessStub>(TDBGenericAccessHandlerBase& handler)>;
// Gives the context object a new stub is handed; the handler owns it until the stub goes.
using TDBGStubContextHook = std::function<std::unique_ptr<fw::Object>(TDBGenericAccessHandlerBase& handler)>;

// The program-wide factory and hook, safe to set and read from any thread. Setting an
// empty factory puts the default back; the hook is none at start.
void SetStubFactory(TDBGStubFactory factory);
TDBGStubFactory StubFactory();
void SetStubContextHook(TDBGStubContextHook hook);
TDBGStubContextHook StubContextHook();

// The factory at start: there is no remote access server in this system, so it raises
// "No remote access server is available." followed by "Server = <ServerName>" when the
// settings component names one.
std::unique_ptr<IDBGenericAccessStub> DefaultStubFactory(TDBGenericAccessHandlerBase& handler);

// The client variants that are not available refuse with fixed texts, each with its
// operation name and code, through the settings component's HandleException.
enum class TDBGClientRefusal {
    IsDateInHistory,
    LoadConditionWithQuery,
    LoadCondition,
    LoadWithQuery,
    LoadCurrent,
    LoadFromHistory,
    LoadFromHistoryCondition,
    SaveWithQuery,
    SaveToHistoryWithQuery,
    UpdateFields,
    RestoreFromHistory,
    HistoryRollback,
    IsNew,
    Undelete,
    Delete,
};

struct TDBGClientRefusalText {
    TDBGClientRefusal Refusal;
    std::string_view Message;
    std::string_view Operation;
    int Code;
};

// The table of all of them, in the order above.
const std::vector<TDBGClientRefusalText>& ClientRefusals();
const TDBGClientRefusalText& ClientRefusalOf(TDBGClientRefusal refusal);
