#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/db_access_base.h"
#include "database/db_access_handler.h"
#include "database/db_field.h"

class TBaseItemInfo;

// A record that holds one typed field (TDBGenericField) per column of its table, in the
// order of the table's column information, or per column named to ReadFields. Its fields
// start as empty text, none modified; writes mark them (and the record's modify-flag
// column), a save clears the marks of what it wrote.
//
// Columns are found by name ignoring case, first among the fields, then among the extra
// fields (an optional second list for columns a descendant adds). Reading a column the
// record lacks gives the empty value; writing one reports "Field <name> not found in table
// <table>.\r\n" + the key description (90, "_getFieldByName") while the missing-column flag
// is set and the partial flag clear.
class TDBGenericAccessInternal : public TDBGenericAccessBase {
public:
    TDBGenericAccessInternal(int typeID, TDBGSessionRef& session, bool client);
    ~TDBGenericAccessInternal() override;

    std::string_view className() const override { return "TDBGenericAccessInternal"; }

    TDBGenericFieldList& Fields() { return fields_; }
    const TDBGenericFieldList& Fields() const { return fields_; }
    // Counts only when it holds a field.
    TDBGenericFieldList* ExtraFields() const;
    void SetExtraFields(std::unique_ptr<TDBGenericFieldList> fields) { extra_ = std::move(fields); }
    // A record of some columns only: a missing column is no error, and it stays read-only
    // once made so.
    bool Partial() const { return partial_; }
    void SetPartial(bool partial) { partial_ = partial; }
    // The period of the history row the record was last read from; empty otherwise.
    const std::string& HistoryPeriodStart() const { return periodStart_; }
    const std::string& HistoryPeriodEnd() const { return periodEnd_; }
    void SetHistoryPeriod(std::string start, std::string end);

    // Rebuilds the fields: one empty name for every column of the table, else the named
    // columns the table has (others are skipped).
    void ReadFields(const std::vector<std::string>& names);

    // --- Columns by name ------------------------------------------------------------------
    // The field, after reporting when there is none (see above).
    virtual TDBGenericField* FieldByName(std::string_view name);
    // The field without a report; none when absent.
    TDBGenericField* FindField(std::string_view name) const;
    // The column name of a field index, empty outside the range.
    virtual std::string ColumnName(int index) const;
    // Whether the field may take the value: not while the record is read-only and its handler
    // is not loading it (reported with the strict flag: "Attempt to set field <name> in table
    // <table>.\r\n" + key description, 29, "CanSetField").
    virtual bool CanSetField(TDBGenericField& field, const fw::Variant& value);
    // After every write of a column; for descendants.
    virtual void FieldChanged(TDBGenericField& field);
    // A column of a read row that no field takes; for descendants.
    virtual void SetExtraColumn(const std::string& name, const fw::Variant& value);
    // The item's number becomes the key value, its text the display text, its description the
    // named column's text.
    virtual void FillItemInfo(const std::string& column, TBaseItemInfo& item);
    // Hands the record to the other object's Assign.
    virtual void AssignTo(fw::Persistent& destination) const;

    std::string AsText(std::string_view name) const;
    std::int64_t AsInteger(std::string_view name) const;
    bool AsBoolean(std::string_view name) const;
    fw::Variant AsVariant(std::string_view name) const;
    // Through the column's write rules: the column must exist and may be set; the record's
    // modify flag is set on the first change; FieldChanged follows.
    void SetText(std::string_view name, std::string_view value);
    // Also the key value, for the KeyField of a table that uses the record key.
    void SetInteger(std::string_view name, std::int64_t value);
    // Compared by the variant's type; Empty and other types it cannot hold raise
    // "Unable to convert variant to field data.\r\nTypeID = <id>\r\n<key description>\r\n
    // Field = <name>\r\nVariant Type = <type>" ("_setAsVariant") and store nothing.
    void SetVariant(std::string_view name, const fw::Variant& value);

    // --- The record base's operations -------------------------------------------------------
    bool HasKey() const override;
    fw::Variant ColumnVariant(std::string_view name) const override;
    std::string ColumnLiteral(std::string_view name) const override;
    bool HasColumn(std::string_view name) const override;
    std::string KeyText() const override;
    std::string KeyDescription() const override;
    void SetKeyValue(int key) override;
    bool IsBlank() const override;
    bool GetModifyFlag() const override;
    void SetModifyFlag(bool flag) override;
    bool IsModified() const override;
    bool IsDeleted() const override;
    std::string DeleteDate() const override;
    void SetDeleteDate(const std::string& date) override;
    void SetReadOnly(bool readOnly) override;
    bool Differs(const TDBGenericAccessBase& other) const override;
    void Clear(bool all) override;
    // A source that is not a field-list record reports "Unable to copy values from a
    // <class> to a <class> instance." (64, "CopyValues") and nothing is copied.
    void CopyValues(const TDBGenericAccessBase& source, bool withKey) override;
    void CopyRecord(const TDBGenericAccessBase& source) override;
    std::string FieldValuesText() const override;
    void MarkAllModified() override;
    std::vector<int> ModifiedMarks() const override;
    void RestoreModifiedMarks(const std::vector<int>& marks) override;
    // Also every field as it is (value, flags, value before the change) and the period.
    TDBGRecordState KeptState() override;

    // Every field as (value, flag set), two elements a field, in field order. A read-only
    // record takes nothing (reported with the strict flag: "Attempt to set a ReadOnly record
    // in table <table>.\r\n" + key description, 29, "SetData"); an array of another size
    // changes nothing.
    fw::Variant GetData() const override;
    void SetData(const fw::Variant& data) override;
    // Triples (column name, value, flag set); the names comma-separated, up to the first
    // empty one; an empty text answers the integer 1.
    fw::Variant GetFieldData(const std::string& names) const;
    void SetFieldData(const fw::Variant& data);

protected:
    // The framework's refusal of a copy stays as it is beside the AssignTo above.
    using fw::Persistent::AssignTo;
    // For descendants that report under their own class name.
    TDBGenericAccessInternal(int typeID, TDBGSessionRef& session, bool client, std::string_view className);
    std::unique_ptr<TDBGenericAccessHandlerBase> NewHandler() override;
    void ResetKeyFields() override;

private:
    friend class TDBGenericHandlerInternal;
    void Construct();
    // The column write: finds the field, asks whether it may be set, marks the change.
    template <class Store>
    TDBGenericField* Write(std::string_view name, const fw::Variant& value, Store store);
    bool KeyValueValid(const TDBGenericField& field) const;

    TDBGenericFieldList fields_;
    std::unique_ptr<TDBGenericFieldList> extra_;
    bool partial_ = false;
    std::string periodStart_;
    std::string periodEnd_;
};

// The handler of a field-list record: builds the statements' texts from the fields, reads
// query rows (and the server's rows) into them and clears the marks of what was written.
class TDBGenericHandlerInternal : public TDBGenericAccessHandlerBase {
public:
    // The record must be a TDBGenericAccessInternal, else "Error in access handler:\r\nOwner
    // class <class> is not a descendant of TDBGenericAccessInternal." (55, "_getOwner").
    TDBGenericHandlerInternal(TDBGenericAccessBase& record, bool client);

    std::string_view className() const override { return "TDBGenericHandlerInternal"; }

    TDBGenericAccessInternal& Owner() const { return owner_; }

    std::string SelectList() const override;
    void FieldValues(TDBGFieldValList& values, int mode) override;
    void BuildColumnMap(TDBGColumnMap& map, const fw::db::Query& query) override;
    void ReadRow(const fw::db::Query& query, bool emptyMissing, TDBGColumnMap* map) override;
    void ReadRemoteRow(const TDBGRemoteRow& row, bool emptyMissing) override;
    bool TakeKeyFromVariant(const fw::Variant& key) override;

protected:
    bool SaveWithQueryS(TDBGQueryRef& query, bool commit) override;
    bool SaveC() override;
    bool UpdateFieldsS() override;

private:
    void FinishRead(const std::string& start, const std::string& end);

    TDBGenericAccessInternal& owner_;
    // The fields a direct save writes, while it runs.
    std::vector<TDBGenericField*>* written_ = nullptr;
};
