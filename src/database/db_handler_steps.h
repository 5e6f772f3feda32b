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

// The records of a save, as they were when it began. Should the save fail, each record
// that had no key gives back the key it took meanwhile (drawn from the registry, or given by
// the engine to an insert that was rolled back): that key is no row's, and a retry that
// still held it would find another user's row under it and overwrite it instead of
// inserting. Should the save go through inside a transaction it does not end (the host's,
// or a compound's), and that transaction then be rolled back, the rows it wrote are gone
// while the records would still hold what it gave them: the key, which the registry (on
// SQLite, drawn inside that transaction) hands out again to the next record, and their
// changes marked as written. They give both back then, so that the next save inserts
// under a new key and writes every change again: a key never reaches two rows.
class TDBGKeysGivenBack {
public:
    TDBGKeysGivenBack() = default;
    explicit TDBGKeysGivenBack(TDBGenericAccessBase& record) { Watch(record); }
    ~TDBGKeysGivenBack()
    {
        if (kept_) {
            return;
        }
        for (const Before& before : records_) {
            TDBGenericAccessBase& record = *before.Record;
            try {
                if (before.Keyless && record.HasKey()) {
                    fw::Variant loaded = record.LoadedKey();
                    record.ClearKey(true);
                    record.SetLoadedKey(std::move(loaded));
                    record.RestoreModifiedMarks(before.Marks);
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
        records_.push_back({&record, !record.HasKey(), record.ModifiedMarks(), record.LoadedKey()});
    }
    // The save went through on the connection: the keys are the rows', for good unless the
    // connection's transaction, still running, is rolled back.
    void Keep(fw::db::Connection* connection)
    {
        kept_ = true;
        if (connection == nullptr || !connection->InTransaction()) {
            return;
        }
        std::vector<std::pair<Before, std::weak_ptr<const void>>> kept;
        for (Before& before : records_) {
            std::weak_ptr<const void> alive = before.Record->AliveToken();
            kept.emplace_back(std::move(before), std::move(alive));
        }
        connection->UndoOnRollback([kept = std::move(kept)] {
            for (auto one = kept.rbegin(); one != kept.rend(); ++one) {
                try {
                    if (!one->second.expired()) {
                        GiveBackAfterRollback(one->first);
                    }
                } catch (const std::exception&) {
                    // The others are given back all the same.
                }
            }
        });
    }

private:
    // A record with whether it had a key, the modified marks of its values and its loaded
    // key, before the save.
    struct Before {
        TDBGenericAccessBase* Record;
        bool Keyless;
        std::vector<int> Marks;
        fw::Variant Loaded;
    };

    static void GiveBackAfterRollback(const Before& before)
    {
        TDBGenericAccessBase& record = *before.Record;
        if (before.Keyless && record.HasKey()) {
            record.ClearKey(true);
        }
        record.SetLoadedKey(before.Loaded);
        // Marked again what was marked before the save, keeping what was marked since.
        std::vector<int> merged = record.ModifiedMarks();
        for (std::size_t i = 0; i < merged.size() && i < before.Marks.size(); ++i) {
            merged[i] = merged[i] != 0 || before.Marks[i] != 0 ? 1 : 0;
        }
        record.RestoreModifiedMarks(merged);
    }

    std::vector<Before> records_;
    bool kept_ = false;
};
