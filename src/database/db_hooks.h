#pragma once

#include <mutex>
#include <vector>

#include "framework/core/object.h"

class TDBGenericInfo;

// A host's listener to the work of the layer's records or lists.
class IDBGenericHook {
public:
    virtual ~IDBGenericHook() = default;
    virtual int Notify(int event, fw::Object* sender) = 0;
};

// The events a record's work reports, in the order a save sends them.
enum TDBGHookEvent {
    dbheCommitted = 1,
    dbheRolledBack = 2,
    dbheInserted = 3,
    dbheUpdated = 4,
    dbheBeforeWrite = 5,
    dbheWriting = 6,
    dbheWritten = 7,
    dbheAfterWrite = 8,
    dbheStatementsDone = 9,
    dbheDeleted = 20,
    dbheDeleting = 21,
    dbheDeleteCommitted = 22,
};

// The program-wide register of hooks: at most one entry per settings component, each with
// the hook that serves its records and the one that serves its lists (either may be none).
// The layer adds no entries; a host does. Safe to use from several threads; a hook is
// called outside the register's lock, on the thread that did the work.
class TDBGenericInfoHookRegisterList {
public:
    // The one register of the program.
    static TDBGenericInfoHookRegisterList& Instance();

    // Replaces the entry of the settings component. The hooks are not owned and must
    // outlive their entry.
    void Register(TDBGenericInfo* info, IDBGenericHook* recordHook, IDBGenericHook* listHook);
    void Unregister(const TDBGenericInfo* info);
    int Count() const;

    // The sender's settings component (a record's or a list's); nothing without one or while
    // its Options hold dbfDisableHooks, or without an entry. Lists go to the list hook, every
    // other sender to the record hook. The hook's answer, 0 when none was called.
    int Notify(int event, fw::Object* sender);

private:
    struct Entry {
        const TDBGenericInfo* Info;
        IDBGenericHook* RecordHook;
        IDBGenericHook* ListHook;
    };
    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
};
