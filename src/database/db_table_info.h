#pragma once

#include <array>
#include <string>
#include <string_view>

#include "foundation/enhanced_list.h"
#include "framework/core/object.h"
#include "framework/core/string_list.h"
#include "framework/db/db_field_defs.h"
#include "framework/gui/enum_set.h"

// How the layer describes the tables it works on: a table information per table (key
// columns, history table, alternate table, options) holding a column information per
// column. The settings component keeps them in its table list.

class TDBGenericField;
class TDBGenericTableInfo;
class TDBGenericTableInfoList;

// The kinds of column value the layer keeps.
enum TDBGenericFieldType {
    dbfUnknown,
    dbfInteger,
    dbfString,
    dbfFloat,
    dbfCurrency,
    dbfBoolean,
    dbfDateTime,
};
inline constexpr std::array<std::string_view, 7> DBGenericFieldTypeNames{
    "Unknown", "Integer", "String", "Float", "Currency", "Boolean", "DateTime"};

// The kind of value an engine column type holds: strings, memos and fixed characters are
// text; small integers, integers, words and auto-increments integers; Booleans, floats,
// currency; dates and date-times date-times. Any other type has no kind: false.
bool FieldTypeOfEngineType(fw::db::FieldType engineType, TDBGenericFieldType& type);

// --- Columns -------------------------------------------------------------------------------

class TDBGenericFieldInfoList;

class TDBGenericFieldInfo : public fw::Persistent {
public:
    fw::db::FieldType DBFieldType = fw::db::FieldType::ftUnknown;
    std::string FieldName;
    TDBGenericFieldType DataType = dbfUnknown;
    int Precision = 0;
    std::uint16_t Size = 0;
    bool Required = false;
    bool isReadOnly = false;

    std::string_view className() const override { return "TDBGenericFieldInfo"; }
    fw::Object* NewInstance() const override { return new TDBGenericFieldInfo; }
    // Copies all seven properties.
    void Assign(const fw::Persistent* source) override;

    const std::string& DisplayName() const { return FieldName; }
    // The list it belongs to, none for a loose one.
    TDBGenericFieldInfoList* Collection() const { return collection_; }
    // The table it describes a column of, none when it belongs to none.
    TDBGenericTableInfo* Table() const;
    bool IsKeyField() const;
    // A new value of its kind linked to it, read-only when the column is read-only or an
    // auto-increment. The caller owns it.
    TDBGenericField* CreateField() const;

private:
    friend class TDBGenericFieldInfoList;
    TDBGenericFieldInfoList* collection_ = nullptr;
};

class TDBGenericFieldInfoList : public TEnhancedListOf<TDBGenericFieldInfo> {
public:
    explicit TDBGenericFieldInfoList(TDBGenericTableInfo* table = nullptr) : table_(table) {}

    std::string_view className() const override { return "TDBGenericFieldInfoList"; }

    TDBGenericTableInfo* Table() const { return table_; }

    // A new, empty column at the end.
    TDBGenericFieldInfo* AddItem();
    int Add(fw::Object* item) override;
    // Ignoring case; -1 / none when absent.
    int IndexOfName(std::string_view name) const;
    TDBGenericFieldInfo* FindName(std::string_view name) const;
    bool Exists(std::string_view name) const { return IndexOfName(name) >= 0; }
    // Every column's name in order, joined by the separator; empty for none.
    std::string Names(std::string_view separator) const;

    // Replaced by the columns of the engine's definitions, one by one. A type without a
    // kind asks "Encountered an incompatible data type ..." with Cancel and Ignore: Cancel
    // drops that column and stops, Ignore keeps it as dbfUnknown.
    void AssignFieldDefs(const fw::db::FieldDefs& defs);
    void Assign(const TEnhancedList& source) override;

private:
    TDBGenericTableInfo* table_;
};

// --- History criteria ----------------------------------------------------------------------

enum TDBTableHistoryFieldCriteriaOption {
    dbgHFCAllFields,
    dbgHFCAllIntegers,
    dbgHFCAllFloats,
    dbgHFCAllStrings,
};
using TDBTableHistoryFieldCriteriaOptions = fw::EnumSet<TDBTableHistoryFieldCriteriaOption>;

class TDBGTableHistoryFieldCriteria : public fw::Persistent {
public:
    TDBTableHistoryFieldCriteriaOptions Options{dbgHFCAllFields};
    fw::StringList Fields;

    std::string_view className() const override { return "TDBGTableHistoryFieldCriteria"; }
    fw::Object* NewInstance() const override { return new TDBGTableHistoryFieldCriteria; }
    void Assign(const fw::Persistent* source) override;
};

// --- Tables --------------------------------------------------------------------------------

enum TDBGenericTableOption {
    dbgSaveToHistoryOnDelete,
    dbgDeleteHistoryOnErase,
    dbgEraseCurrentOnDelete,
    dbgEraseDeletedOnHistorySave,
    dbgForbidEmptyCharKey,
    dbgDBGeneratesKey,
    dbgAllowZeroKey,
    dbgStrictHistoryLoad,
    dbgNoUpdateDeleted,
    dbgLoadCurrentIfNoHistory,
};
using TDBGenericTableOptions = fw::EnumSet<TDBGenericTableOption>;

enum TDBGAlternateTableFlag { dbgAltTableDefault, dbgAltTableNever, dbgAltTableAlways };

class TDBGenericTableInfo : public fw::Persistent {
public:
    TDBGenericTableInfo();
    ~TDBGenericTableInfo() override;

    std::string_view className() const override { return "TDBGenericTableInfo"; }
    fw::Object* NewInstance() const override { return new TDBGenericTableInfo; }
    // Every property and the column list.
    void Assign(const fw::Persistent* source) override;

    const std::string& TableName() const { return tableName_; }
    // A new name that differs and is not empty must not be another table's name or
    // alternate name in the same list, else TGenericException ("_setTableName") and no change.
    void SetTableName(const std::string& name);
    const std::string& RecordKeyName() const { return recordKeyName_; }
    void SetRecordKeyName(std::string name) { recordKeyName_ = std::move(name); }
    const std::string& KeyField() const { return keyField_; }
    void SetKeyField(std::string name) { keyField_ = std::move(name); }
    // True only while the flag is on and a history table is named; switching it on without
    // one names it "H_" + the table name.
    bool hasHistory() const { return hasHistory_ && !historyTable_.empty(); }
    void SethasHistory(bool on);
    bool hasModifyFlag() const { return hasModifyFlag_; }
    void SethasModifyFlag(bool on) { hasModifyFlag_ = on; }
    const std::string& HistoryTable() const { return historyTable_; }
    void SetHistoryTable(std::string name) { historyTable_ = std::move(name); }
    bool NoLowHistoryBounds() const { return noLowHistoryBounds_; }
    void SetNoLowHistoryBounds(bool on) { noLowHistoryBounds_ = on; }
    const fw::StringList& MultiKeyFields() const { return multiKeyFields_; }
    // Emptied, then every line that is not empty after trimming, trimmed.
    void SetMultiKeyFields(const fw::StringList& fields);
    bool UseMultiKeys() const { return useMultiKeys_; }
    void SetUseMultiKeys(bool on) { useMultiKeys_ = on; }
    bool UseRecordKey() const { return useRecordKey_; }
    void SetUseRecordKey(bool on) { useRecordKey_ = on; }
    bool CanDelete() const { return canDelete_; }
    void SetCanDelete(bool on) { canDelete_ = on; }
    TDBGenericTableOptions Options() const { return options_; }
    // dbgSaveToHistoryOnDelete and dbgDeleteHistoryOnErase exclude each other: given both,
    // the second is dropped.
    void SetOptions(TDBGenericTableOptions options);
    // With UseMultiKeys and at least one key column, the key columns joined by ", ";
    // otherwise KeyField.
    std::string PrimaryKey() const;
    // Split at ",": one part sets KeyField (trimmed) and single-key use; two or more set the
    // key columns (trimmed), UseMultiKeys on and UseRecordKey off.
    void SetPrimaryKey(const std::string& keys);
    const std::string& AlternateTable() const { return alternateTable_; }
    // Checked against the list as TableName is ("_setAlternateTable").
    void SetAlternateTable(const std::string& name);
    TDBGAlternateTableFlag UseAlternate() const { return useAlternate_; }
    void SetUseAlternate(TDBGAlternateTableFlag flag) { useAlternate_ = flag; }
    TDBGTableHistoryFieldCriteria& HistoryFieldCriteria() { return historyFieldCriteria_; }
    const TDBGTableHistoryFieldCriteria& HistoryFieldCriteria() const { return historyFieldCriteria_; }

    TDBGenericFieldInfoList& Fields() { return fields_; }
    const TDBGenericFieldInfoList& Fields() const { return fields_; }

    // The name equals KeyField, or with UseMultiKeys one of the key columns (ignoring case).
    bool IsKeyField(std::string_view name) const;
    bool HasAlternate() const { return !alternateTable_.empty(); }

    TDBGenericTableInfoList* Collection() const { return collection_; }

private:
    friend class TDBGenericTableInfoList;

    std::string tableName_;
    std::string recordKeyName_;
    std::string keyField_;
    bool hasHistory_ = false;
    bool hasModifyFlag_ = false;
    std::string historyTable_;
    bool noLowHistoryBounds_ = true;
    fw::StringList multiKeyFields_;
    bool useMultiKeys_ = false;
    bool useRecordKey_ = true;
    bool canDelete_ = false;
    TDBGenericTableOptions options_{dbgSaveToHistoryOnDelete, dbgLoadCurrentIfNoHistory};
    std::string alternateTable_;
    TDBGAlternateTableFlag useAlternate_ = dbgAltTableDefault;
    TDBGTableHistoryFieldCriteria historyFieldCriteria_;
    TDBGenericFieldInfoList fields_;
    TDBGenericTableInfoList* collection_ = nullptr;
};

class TDBGenericTableInfoList : public TEnhancedListOf<TDBGenericTableInfo> {
public:
    std::string_view className() const override { return "TDBGenericTableInfoList"; }

    // A new, empty table at the end.
    TDBGenericTableInfo* AddItem();
    int Add(fw::Object* item) override;
    // Ignoring case; none when absent (the alternate lookup finds nothing for "").
    TDBGenericTableInfo* FindTable(std::string_view name) const;
    TDBGenericTableInfo* FindAlternate(std::string_view name) const;

    // Field values of these tables write floats in fixed notation ("%.18f").
    bool FixedFloatText() const { return fixedFloatText_; }
    void SetFixedFloatText(bool fixed) { fixedFloatText_ = fixed; }

private:
    bool fixedFloatText_ = false;
};
