#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/db_access_base.h"
#include "database/db_access_handler.h"

// One logical record made of several part records, each under a section name, loaded and
// saved together: directly in one query and one transaction (a failing part rolls back the
// parts before it too), or as a client in one exchange with the remote server.
//
// The transfer flags of each part (db_record_flags.h) say which parts take part in what:
//   direct GetData  not dbrfNotLoaded           client GetData  neither dbrfNotSaved nor dbrfLocal
//   direct SetData  not dbrfNotSaved            client SetData  neither dbrfNotLoaded nor dbrfLocal
//   direct load     not dbrfNotLoaded           direct save     not dbrfNotSaved
// A client compound loads, saves and locks its dbrfLocal parts on their own, directly,
// after its remote exchange.
class TDBGenericAccessCompound : public TDBGenericAccessBase {
public:
    TDBGenericAccessCompound(int typeID, TDBGSessionRef& session, bool client);
    // Frees the parts; a part working through a remote stub lets the stub go first.
    ~TDBGenericAccessCompound() override;

    std::string_view className() const override { return "TDBGenericAccessCompound"; }

    // The part becomes the compound's: its owner, and the compound of its handler.
    void AddPart(std::unique_ptr<TDBGenericAccessBase> part, std::string section);
    int PartCount() const { return static_cast<int>(parts_.size()); }
    // None outside the range.
    TDBGenericAccessBase* Part(int index) const;
    const std::string& Section(int index) const;
    // Ignoring case; -1 when absent.
    int IndexOfSection(std::string_view section) const;
    // The part of the section; none after reporting "Section <name> does not exist in class
    // <class>." (91, "Locate").
    TDBGenericAccessBase* Locate(std::string_view section);

    enum class Transfer { Get, Set, Load, Save };
    // Whether the part takes part in the transfer, by its flags and the compound's side.
    bool TakesPart(const TDBGenericAccessBase& part, Transfer transfer) const;

    // --- The record base's operations -------------------------------------------------------
    // Every part blank; the test stops at the first that is not.
    bool IsBlank() const override;
    // Any part's flag; the test stops at the first that is set.
    bool GetModifyFlag() const override;
    bool IsModified() const override;
    // Part by part from a compound of this class; from any other class it reports "Unable to
    // copy values from a <class> to a <class> instance." (64, "CopyValues").
    void CopyValues(const TDBGenericAccessBase& source, bool withKey) override;
    void Clear(bool all) override;
    // (section, part key) pairs of the parts GetData gives.
    fw::Variant KeyAsVariant() const override;
    void SetKeyFromVariant(const fw::Variant& key) override;
    // (section, part data) pairs of the taking parts, in part order.
    fw::Variant GetData() const override;
    // Pairs with empty sections fill the parts by position; a named section sets the
    // position. A read-only compound takes nothing (reported with the strict flag: "Attempt
    // to set a ReadOnly record in table <table>.\r\n" + key description, 29, "SetData").
    void SetData(const fw::Variant& data) override;
    std::vector<int> ModifiedMarks() const override;
    void RestoreModifiedMarks(const std::vector<int>& marks) override;
    // Also every part's.
    TDBGRecordState KeptState() override;

    // --- Hooks for descendants; nothing here ----------------------------------------------
    virtual void BeforePartLoad(TDBGenericAccessBase& /*part*/, int /*index*/) {}
    virtual void BeforePartKeyAssignment(TDBGenericAccessBase& /*part*/, int /*index*/) {}
    virtual void AfterPartLoad(int /*index*/) {}
    virtual void AfterPartSave(int /*index*/) {}
    virtual void AfterPartData(TDBGenericAccessBase& /*part*/) {}

protected:
    TDBGenericAccessCompound(int typeID, TDBGSessionRef& session, bool client, std::string_view className);
    std::unique_ptr<TDBGenericAccessHandlerBase> NewHandler() override;

private:
    // The part a (section, data) pair goes to, by the rules of SetData; none to skip it.
    TDBGenericAccessBase* PartOfPair(const fw::Variant& section, int& position);

    std::vector<std::unique_ptr<TDBGenericAccessBase>> parts_;
    std::vector<std::string> sections_;
};

// The handler of a compound record: every direct operation runs each part's own on one
// query, so that the parts share one transaction.
class TDBGenericHandlerCompound : public TDBGenericAccessHandlerBase {
public:
    // The record must be a TDBGenericAccessCompound, else "Error in access handler:\r\nOwner
    // class <class> is not a descendant of TDBGenericAccessCompound." (55, "_getOwner").
    TDBGenericHandlerCompound(TDBGenericAccessBase& record, bool client);

    std::string_view className() const override { return "TDBGenericHandlerCompound"; }

    TDBGenericAccessCompound& Owner() const { return owner_; }

    // False at once for a compound with a key; otherwise every part's own key assignment
    // (after BeforePartKeyAssignment), True when any part's key is the engine's to make.
    bool CreateKey() override;

protected:
    int SetRecordLockS(bool lock, const std::string& user) override;
    bool LoadWithQueryS(const fw::Variant& key, const std::string& date, TDBGQueryRef& query, bool commit) override;
    bool LoadFromHistoryS(const fw::Variant& key, TDBGQueryRef& query, const std::string& date, bool commit) override;
    bool SaveWithQueryS(TDBGQueryRef& query, bool commit) override;
    bool SaveToHistoryWithQueryS(const std::string& date, TDBGQueryRef& query, bool commit) override;
    bool RestoreFromHistoryS(const std::string& date, TDBGQueryRef& query, bool commit) override;
    bool HistoryRollbackS(const std::string& date, TDBGQueryRef& query, bool commit) override;
    int SetRecordLockC(bool lock, const std::string& user) override;
    bool LoadC(const fw::Variant& key, const std::string& date) override;
    bool SaveC() override;

private:
    // Runs the step for every part (in order, or last first) on the compound's query; a part
    // that fails ends it. With clearOnFailure the compound is emptied when it fails.
    template <class Step>
    bool EachPart(TDBGQueryRef& query, bool commit, bool clearOnFailure, bool lastFirst, Step step);
    void ClearNewRecordMarker();

    TDBGenericAccessCompound& owner_;
};
