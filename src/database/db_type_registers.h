#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/core/object.h"

class TDBGenericAccessBase;
class TDBGenericListBase;
class TDBGSessionRef;

// The host's registers of what the layer makes for a type ID: a record class with its
// table, or a list class. The host fills them before use; the layer only looks them up.

// A record class: its name and how to make one (type ID, session, client flag).
struct TDBGRecordClass {
    std::string ClassName;
    std::function<TDBGenericAccessBase*(int typeID, TDBGSessionRef& session, bool client)> Create;
};

struct TDBGTypeIDEntry {
    int TypeID = 0;
    std::string TableName;
    TDBGRecordClass RecordClass;
    // Handed to the record's constructor: the record works through the remote server.
    bool Client = false;
    // The columns records of this type write; empty for all.
    std::vector<std::string> Columns;
};

class TDBGTypeIDRegister {
public:
    // Replaces an entry of the same type ID.
    void Add(TDBGTypeIDEntry entry);
    const TDBGTypeIDEntry* Find(int typeID) const;
    int Count() const { return static_cast<int>(entries_.size()); }
    void Clear() { entries_.clear(); }

private:
    std::map<int, TDBGTypeIDEntry> entries_;
};

struct TDBGListClass {
    std::string ClassName;
    std::function<TDBGenericListBase*(int listTypeID, TDBGSessionRef& session)> Create;
};

class TDBGListTypeIDRegister {
public:
    void Add(int listTypeID, TDBGListClass listClass);
    const TDBGListClass* Find(int listTypeID) const;
    int Count() const { return static_cast<int>(entries_.size()); }
    void Clear() { entries_.clear(); }

private:
    std::map<int, TDBGListClass> entries_;
};
