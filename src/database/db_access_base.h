#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/db_generic_exception.h"
#include "database/db_record_flags.h"
#include "framework/core/object.h"
#include "framework/core/variant.h"

class TDBGenericAccessBase;
class TDBGenericAccessHandlerBase;
class TDBGenericInfo;
class TDBGenericQuery;
class TDBGenericTableInfo;
class TDBGFieldValList;
class TDBGSessionRef;
class THierarchyNode;
class TILTree;
class TILTreeNode;
class TVisualHierarchyNode;
class TVisualHierarchyRoot;

// What a load changes in a record, kept before the load so that it can be put back: the
// record's values, its key and loaded key, and the date its handler last loaded it for. It
// refers to its record and must not outlive it.
class TDBGRecordState {
public:
    explicit TDBGRecordState(std::function<void()> putBack) : putBack_(std::move(putBack)) {}
    void PutBack() const { putBack_(); }

private:
    std::function<void()> putBack_;
};

// The object that holds a record for its user interface (a list of rows, a cache): told
// when the record joins and leaves it and when the record's last user has let go.
class IDBGRecordContainer {
public:
    virtual ~IDBGRecordContainer() = default;
    virtual void AttachRecord(TDBGenericAccessBase& record) = 0;
    virtual void DetachRecord(TDBGenericAccessBase& record) = 0;
    // The record may be freed as soon as this returns.
    virtual void RecordReleased(TDBGenericAccessBase& record) = 0;
};

// A record object: one row of a registered table, reached through its type ID. The
// settings component gives the table information of the type ID; the record builds its
// SQL from it through the handler it owns, which works directly on the database or, for
// a client record, through a remote access server (db_access_stub.h).
//
// This class holds what every record has: its type ID, table information, session, key
// value (an integer, -1 for none), the key it was last loaded or saved under, its owner (a
// list or a compound record), its flag set and its handler (made on first use, by the
// record's own handler class).
class TDBGenericAccessBaseAbstract : public fw::Persistent, public IDBGenericInfoSource {
public:
    ~TDBGenericAccessBaseAbstract() override;

    std::string_view className() const override { return "TDBGenericAccessBaseAbstract"; }
    TDBGenericInfo* GenericInfo() const override;

    TDBGenericInfo& Info() const;
    TDBGSessionRef& Session() const { return session_; }
    int TypeID() const { return typeID_; }
    TDBGenericTableInfo& TableInfo() const { return *table_; }
    // Fixed when made: the record works through the remote access server.
    bool IsClient() const { return client_; }

    int KeyValue() const { return key_; }
    virtual void SetKeyValue(int key);
    // The key the record was last loaded or saved under (empty before that).
    const fw::Variant& LoadedKey() const { return loadedKey_; }
    void SetLoadedKey(fw::Variant key) { loadedKey_ = std::move(key); }

    // A list or a compound record, not owned.
    fw::Object* Owner() const { return owner_; }
    void SetOwner(fw::Object* owner) { owner_ = owner; }

    TDBGRecordFlags Flags() const { return flags_; }
    void SetFlags(TDBGRecordFlags flags) { flags_ = flags; }
    bool HasFlag(TDBGRecordFlags flag) const { return (flags_ & flag) != 0; }
    void SetFlag(TDBGRecordFlags flag, bool on);

    // The new-record marker: set when made, cleared by a compound's first load or save.
    bool NewRecordMarker() const { return newRecordMarker_; }
    void SetNewRecordMarker(bool on) { newRecordMarker_ = on; }

    TDBGenericAccessHandlerBase& Handler();

protected:
    // The table information of the type ID must exist, else TGenericException "Unable to
    // create instance of type <class>:\r\n\r\nNo table information is associated with
    // Type ID <id>." ("Create"), with the lookup's own report as the previous error. The
    // class name is the made class's, which a base constructor cannot ask for.
    TDBGenericAccessBaseAbstract(int typeID, TDBGSessionRef& session, bool client, std::string_view className);

    // The handler class of the record.
    virtual std::unique_ptr<TDBGenericAccessHandlerBase> NewHandler() = 0;

private:
    int typeID_;
    TDBGSessionRef& session_;
    TDBGenericTableInfo* table_ = nullptr;
    bool client_;
    int key_ = -1;
    fw::Variant loadedKey_;
    fw::Object* owner_ = nullptr;
    TDBGRecordFlags flags_ = dbrfReportMissingColumn | dbrfAfterConstruction;
    bool newRecordMarker_ = true;
    std::unique_ptr<TDBGenericAccessHandlerBase> handler_;
};

// The record with its handler, its tests and values, the hooks the handler calls and the
// record's data operations, which it hands to the handler.
//
// Conditions passed to the loads by condition are SQL text that the caller vouches for:
// they are sent as they are (trusted SQL, never a user's typing).
class TDBGenericAccessBase : public TDBGenericAccessBaseAbstract {
public:
    TDBGenericAccessBase(int typeID, TDBGSessionRef& session, bool client);
    ~TDBGenericAccessBase() override;

    std::string_view className() const override { return "TDBGenericAccessBase"; }

    // Expires when the record is freed (as the settings component's does): work kept for
    // the record until a transaction ends (the undo of a save) asks it first whether the
    // record is still there.
    std::weak_ptr<const void> AliveToken();

    // --- The table the statements name --------------------------------------------------------

    // The record's own alternate-table choice: none follows its owner (a list or a
    // compound), then the table's UseAlternate, then the settings component.
    enum class AlternateChoice { FollowOwner, Never, Always };
    AlternateChoice Alternate() const { return alternate_; }
    void SetAlternate(AlternateChoice choice) { alternate_ = choice; }
    bool UsesAlternateTable() const;
    // The AlternateTable when the record uses it and it is set, else the TableName.
    std::string TableName() const;

    // --- Keys ----------------------------------------------------------------------------------

    // The table uses the record key and the key value is above 0.
    virtual bool HasKey() const;
    // For a table that uses the record key, the key value; otherwise an array of the key
    // columns' values in the order of MultiKeyFields (of the primary key column for a
    // single key column).
    virtual fw::Variant KeyAsVariant() const;
    // The reverse; an array of the wrong length does nothing.
    virtual void SetKeyFromVariant(const fw::Variant& key);
    // The key as the lock table keeps it.
    virtual std::string KeyText() const;
    // What error messages name the record by: KeyField + " = " + key value.
    virtual std::string KeyDescription() const;
    // With the flag set: key value -1, loaded key emptied, then the key columns reset.
    void ClearKey(bool clear);
    // With the flag set, the other record's key value. Records of other table information
    // raise "Unable to copy record key.\r\nThe source and target records do not access the
    // same table information.\r\nSource = <class>\r\nTarget = <class>" ("CopyKey").
    void CopyKeyFrom(const TDBGenericAccessBase& other, bool copy);
    // A new key for a record without one: for a table whose key the engine makes (an
    // auto-increment column or dbgDBGeneratesKey) nothing is drawn and the answer is True;
    // for a table that uses the record key NewRecordKey of the settings component (the
    // alternate registry for the alternate table) becomes the key value and the answer is
    // True; otherwise False.
    virtual bool AssignNewKey();
    // Not with dbgDBGeneratesKey or the no-key-to-save flag; always with several key
    // columns; for one key column when KeyField is set and is not the engine's
    // auto-increment column.
    bool NeedsKeyToSave() const;
    // The engine makes the key on insert: the single key column is an auto-increment, or
    // the table's Options hold dbgDBGeneratesKey.
    bool EngineMakesKey() const;

    // --- Values and state ------------------------------------------------------------------------

    // KeyField + " " + the key value.
    virtual std::string DisplayText() const;
    // The name of the modify-flag column: the settings component's ModifyFlagField.
    std::string ModifyFlagFieldName() const;
    virtual bool IsBlank() const { return false; }
    virtual bool GetModifyFlag() const { return false; }
    virtual void SetModifyFlag(bool) {}
    virtual bool IsModified() const { return false; }
    virtual bool IsDeleted() const { return false; }
    virtual std::string DeleteDate() const { return {}; }
    virtual void SetDeleteDate(const std::string&) {}
    bool IsReadOnly() const { return HasFlag(dbrfReadOnly); }
    virtual void SetReadOnly(bool readOnly) { SetFlag(dbrfReadOnly, readOnly); }
    // Classes or key values differ.
    virtual bool Differs(const TDBGenericAccessBase& other) const;
    // Empties the record's values; with all the key too.
    virtual void Clear(bool all);
    // The values (with the key when asked); the base copies only the key.
    virtual void CopyValues(const TDBGenericAccessBase& source, bool withKey);
    // The whole record: a record of another class raises "A record of type <class> cannot
    // be copied to a record of type <class>." ("CopyRecord").
    virtual void CopyRecord(const TDBGenericAccessBase& source);
    // 0 when the record may be saved; anything else is the number its save reports.
    virtual int Validate() { return 0; }
    // The lines that follow a failed validation's message.
    virtual std::string FieldValuesText() const { return KeyDescription(); }
    // A column's value by name as a variant, and its SQL literal; Null and "" without one.
    virtual fw::Variant ColumnVariant(std::string_view name) const;
    virtual std::string ColumnLiteral(std::string_view name) const;
    virtual bool HasColumn(std::string_view name) const;
    // Every value counts as changed (a restore writes them all).
    virtual void MarkAllModified() {}
    // The values for the remote server, and back; nothing here.
    virtual fw::Variant GetData() const { return {}; }
    virtual void SetData(const fw::Variant&) {}
    // The modified marks of the values, taken before a save that may be rolled back and
    // put back when it is.
    virtual std::vector<int> ModifiedMarks() const { return {}; }
    virtual void RestoreModifiedMarks(const std::vector<int>&) {}
    // What a load may change, to be put back when a load of several records together must
    // not be kept in part; here the key, the loaded key and the handler's loaded date.
    virtual TDBGRecordState KeptState();
    // Whether a history save on a date not after the latest period start is refused (code
    // 74); True here.
    virtual bool ChecksHistoryDate() const { return true; }

    // --- Notifications from the handler; nothing here ----------------------------------------------
    virtual void BeforeSave() {}
    virtual void AfterSave() {}
    virtual void AfterLoad(const std::string& /*date*/) {}
    virtual void BeforeHistoryLoad(const std::string& /*date*/) {}
    virtual void BeforeHistorySave(const std::string& /*date*/) {}
    virtual void AfterHistorySave(const std::string& /*date*/) {}
    virtual void AfterHistoryLoad(const std::string& /*date*/) {}

    // --- Statement values, for the handler ----------------------------------------------------
    // Fills the name/value list (see TDBGenericAccessHandlerBase::FieldValues); the base
    // record gives its key column for a table that uses the record key, unless mode holds 1.
    virtual void FieldValues(TDBGFieldValList& values, int mode) const;

    // --- Data operations, carried out by the handler ------------------------------------------
    bool Load(int key, const std::string& date = {});
    bool LoadCondition(const std::string& condition, const std::string& date = {});
    bool Save();
    bool SaveToHistory(const std::string& date);
    bool Delete(const std::string& date = {});
    bool Undelete();
    bool IsNew();

    // --- Users and container ----------------------------------------------------------------
    void AddUser();
    // Lowers the use count; at less than 1 the container is told, and then a record with
    // dbrfFreeOnRelease set frees itself: nothing may touch it after this returns.
    void Release();
    int UseCount() const;

    // --- Showing the record in a tree ----------------------------------------------------------
    using NodeFilter = std::function<bool(TDBGenericAccessBase& record)>;
    using NodeCallback = std::function<void(TILTreeNode& node, TDBGenericAccessBase& record)>;
    // Lets pending messages run, then (unless the filter refuses the record) adds a node with
    // the record's display text under the parent (the tree's root without one) and shows the
    // record in it; the node, none when refused.
    TILTreeNode* AddToTree(TILTree& tree, TILTreeNode* parent, const NodeFilter& filter = {},
                           const NodeCallback& callback = {});
    // Lets pending messages run, links the node to the record, gives it the display text,
    // then calls the callback.
    void ShowInTree(TILTreeNode& node, const NodeCallback& callback = {});
    // The same in a node-and-link diagram: a node whose data is the record and whose caption
    // is the display text, below the parent (the diagram's root without one).
    using DiagramCallback = std::function<void(TVisualHierarchyNode& node, TDBGenericAccessBase& record)>;
    TVisualHierarchyNode* AddToTree(TVisualHierarchyRoot& diagram, THierarchyNode* parent,
                                    const NodeFilter& filter = {}, const DiagramCallback& callback = {});
    void ShowInTree(TVisualHierarchyNode& node, const DiagramCallback& callback = {});

protected:
    TDBGenericAccessBase(int typeID, TDBGSessionRef& session, bool client, std::string_view className);
    std::unique_ptr<TDBGenericAccessHandlerBase> NewHandler() override;
    // The values of the key columns go back to empty (nothing in the base).
    virtual void ResetKeyFields() {}

private:
    friend class TDBGenericAccessHandlerBase;
    AlternateChoice alternate_ = AlternateChoice::FollowOwner;
    std::shared_ptr<const void> alive_;
};
