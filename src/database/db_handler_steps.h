#pragma once

#include <exception>
#include <string>
#include <vector>

#include "database/db_access_base.h"
#include "database/db_generic_info.h"
#include "framework/db/db_connection.h"

// For the handlers' own files: a nested step that reported its failure to a host handler
// which chose to go on. The operation that ran it ends there (rolling back what it owns)
// without reporting the failure a second time.
class EStepReported : public std::exception {
public:
    const char* what() const noexcept override { return "A step of the operation failed and was reported."; }
};

inline void CheckStep(const TDBGErrorWatch& watch)
{
    if (watch.Reported()) {
        throw EStepReported();
    }
}

// A caller's condition as one term of the statement's own: in parentheses, so that an OR
// in it never reaches past it to the conditions the layer adds.
inline std::string CallerCondition(const std::string& condition)
{
    return "(" + condition + ")";
}

// The records of a save that had no key when it began. Unless the save is kept, each of
// them gives back the key it took meanwhile (drawn from the registry, or given by the
// engine to an insert that was rolled back): that key is no row's, and a retry that still
// held it would find another user's row under it and overwrite it instead of inserting.
class TDBGKeysGivenBack {
public:
    TDBGKeysGivenBack() = default;
    explicit TDBGKeysGivenBack(TDBGenericAccessBase& record) { Watch(record); }
    ~TDBGKeysGivenBack()
    {
        if (kept_) {
            return;
        }
        for (Keyless& keyless : keyless_) {
            TDBGenericAccessBase& record = *keyless.Record;
            try {
                if (record.HasKey()) {
                    fw::Variant loaded = record.LoadedKey();
                    record.ClearKey(true);
                    record.SetLoadedKey(std::move(loaded));
                    record.RestoreModifiedMarks(keyless.Marks);
                }
            } catch (const std::exception&) {
                // The save's own failure is the one that counts.
            }
        }
    }
    TDBGKeysGivenBack(const TDBGKeysGivenBack&) = delete;
    TDBGKeysGivenBack& operator=(const TDBGKeysGivenBack&) = delete;

    void Watch(TDBGenericAccessBase& record)
    {
        if (!record.HasKey()) {
            keyless_.push_back({&record, record.ModifiedMarks()});
        }
    }
    // The save went through: the keys are the rows'.
    void Keep() { kept_ = true; }

private:
    // A record and the modified marks of its values before the key was taken.
    struct Keyless {
        TDBGenericAccessBase* Record;
        std::vector<int> Marks;
    };
    std::vector<Keyless> keyless_;
    bool kept_ = false;
};

// A save that joined a transaction it does not end (the host's, or a compound's) and went
// through. Should that transaction be rolled back, the row the save wrote is gone while
// the record would still hold what the save gave it: the key it took, which the registry
// (on SQLite, drawn inside that transaction) hands out again to the next record, and its
// changes marked as written. The record then gives them back, so that its next save
// inserts it under a new key and writes every change again: a key never reaches two rows.
class TDBGSaveUndoneOnRollback {
public:
    explicit TDBGSaveUndoneOnRollback(TDBGenericAccessBase& record)
        : record_(record), keyless_(!record.HasKey()), marks_(record.ModifiedMarks()), loaded_(record.LoadedKey())
    {
    }

    // The save went through on the connection: kept there while its transaction runs.
    void Remember(fw::db::Connection* connection)
    {
        if (connection == nullptr || !connection->InTransaction()) {
            return;
        }
        connection->UndoOnRollback([record = &record_, alive = record_.Lifetime(), keyless = keyless_,
                                    marks = marks_, loaded = loaded_] {
            if (alive.expired()) {
                return;
            }
            if (keyless && record->HasKey()) {
                record->ClearKey(true);
            }
            record->SetLoadedKey(loaded);
            // Marked again what was marked before the save, keeping what was marked since.
            std::vector<int> merged = record->ModifiedMarks();
            for (std::size_t i = 0; i < merged.size() && i < marks.size(); ++i) {
                merged[i] = merged[i] != 0 || marks[i] != 0 ? 1 : 0;
            }
            record->RestoreModifiedMarks(merged);
        });
    }

private:
    TDBGenericAccessBase& record_;
    bool keyless_;
    std::vector<int> marks_;
    fw::Variant loaded_;
};
