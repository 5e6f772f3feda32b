#include "database/db_access_base.h"

#include "controls/visual_hierarchy.h"
#include "database/db_access_handler.h"
#include "database/db_field_val.h"
#include "database/db_generic_info.h"
#include "database/db_list.h"
#include "database/db_session_pool.h"
#include "database/db_table_info.h"
#include "database/db_variants.h"
#include "foundation/generic_exception.h"
#include "framework/core/strings.h"
#include "framework/gui/application.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

// --- TDBGenericAccessBaseAbstract ----------------------------------------------------------

TDBGenericAccessBaseAbstract::TDBGenericAccessBaseAbstract(int typeID, TDBGSessionRef& session, bool client,
                                                           std::string_view className)
    : typeID_(typeID), session_(session), client_(client)
{
    const auto refuse = [&](const std::exception* previous) {
        return TGenericException("Unable to create instance of type " + std::string(className) + ":\r\n\r\n"
                                     + "No table information is associated with Type ID " + fw::IntToStr(typeID)
                                     + ".",
                                 previous, std::string(className), "Create");
    };
    try {
        table_ = session.Pool().Info().GetTableByID(typeID);
    } catch (const std::exception& error) {
        throw refuse(&error);
    }
    if (table_ == nullptr) {
        throw refuse(nullptr);
    }
}

TDBGenericAccessBaseAbstract::~TDBGenericAccessBaseAbstract() = default;

TDBGenericInfo* TDBGenericAccessBaseAbstract::GenericInfo() const
{
    return &session_.Pool().Info();
}

TDBGenericInfo& TDBGenericAccessBaseAbstract::Info() const
{
    return session_.Pool().Info();
}

void TDBGenericAccessBaseAbstract::SetKeyValue(int key)
{
    key_ = key;
}

void TDBGenericAccessBaseAbstract::SetFlag(TDBGRecordFlags flag, bool on)
{
    flags_ = on ? static_cast<TDBGRecordFlags>(flags_ | flag) : static_cast<TDBGRecordFlags>(flags_ & ~flag);
}

TDBGenericAccessHandlerBase& TDBGenericAccessBaseAbstract::Handler()
{
    if (!handler_) {
        handler_ = NewHandler();
    }
    return *handler_;
}

// --- TDBGenericAccessBase ------------------------------------------------------------------

TDBGenericAccessBase::TDBGenericAccessBase(int typeID, TDBGSessionRef& session, bool client)
    : TDBGenericAccessBase(typeID, session, client, "TDBGenericAccessBase")
{
}

TDBGenericAccessBase::TDBGenericAccessBase(int typeID, TDBGSessionRef& session, bool client,
                                           std::string_view className)
    : TDBGenericAccessBaseAbstract(typeID, session, client, className)
{
}

TDBGenericAccessBase::~TDBGenericAccessBase() = default;

std::unique_ptr<TDBGenericAccessHandlerBase> TDBGenericAccessBase::NewHandler()
{
    return std::make_unique<TDBGenericAccessHandlerBase>(*this, IsClient());
}

bool TDBGenericAccessBase::UsesAlternateTable() const
{
    switch (alternate_) {
    case AlternateChoice::Never:
        return false;
    case AlternateChoice::Always:
        return true;
    case AlternateChoice::FollowOwner:
        break;
    }
    if (auto* list = dynamic_cast<TDBGenericListBase*>(Owner())) {
        return list->UsesAlternateTable();
    }
    if (auto* compound = dynamic_cast<const TDBGenericAccessBase*>(Owner())) {
        return compound->UsesAlternateTable();
    }
    switch (TableInfo().UseAlternate()) {
    case dbgAltTableAlways:
        return true;
    case dbgAltTableNever:
        return false;
    case dbgAltTableDefault:
        break;
    }
    return Info().AlternateTables();
}

std::string TDBGenericAccessBase::TableName() const
{
    const TDBGenericTableInfo& table = TableInfo();
    return UsesAlternateTable() && table.HasAlternate() ? table.AlternateTable() : table.TableName();
}

bool TDBGenericAccessBase::HasKey() const
{
    return TableInfo().UseRecordKey() && KeyValue() > 0;
}

fw::Variant TDBGenericAccessBase::KeyAsVariant() const
{
    const TDBGenericTableInfo& table = TableInfo();
    if (table.UseRecordKey()) {
        return fw::Variant(KeyValue());
    }
    std::vector<fw::Variant> values;
    if (table.UseMultiKeys()) {
        for (const std::string& column : table.MultiKeyFields()) {
            values.push_back(ColumnVariant(column));
        }
    } else {
        values.push_back(ColumnVariant(table.KeyField()));
    }
    return fw::Variant::Array(std::move(values));
}

void TDBGenericAccessBase::SetKeyFromVariant(const fw::Variant& key)
{
    if (TableInfo().UseRecordKey()) {
        if (!key.IsArray() && !key.IsNull() && !key.IsEmpty()) {
            SetKeyValue(static_cast<int>(VariantInteger(key)));
        }
        return;
    }
    Handler().TakeKeyFromVariant(key);
}

std::string TDBGenericAccessBase::KeyText() const
{
    return fw::IntToStr(KeyValue());
}

std::string TDBGenericAccessBase::KeyDescription() const
{
    return TableInfo().KeyField() + " = " + fw::IntToStr(KeyValue());
}

std::weak_ptr<const void> TDBGenericAccessBase::AliveToken()
{
    if (!alive_) {
        alive_ = std::make_shared<int>(0);
    }
    return alive_;
}

void TDBGenericAccessBase::ClearKey(bool clear)
{
    if (!clear) {
        return;
    }
    SetKeyValue(-1);
    SetLoadedKey({});
    ResetKeyFields();
}

void TDBGenericAccessBase::CopyKeyFrom(const TDBGenericAccessBase& other, bool copy)
{
    if (&other.TableInfo() != &TableInfo()) {
        throw TGenericException("Unable to copy record key.\r\nThe source and target records do not access the same "
                                "table information.\r\nSource = "
                                    + std::string(other.className()) + "\r\n" + "Target = " + std::string(className()),
                                nullptr, fw::SenderName(this), "CopyKey");
    }
    if (copy) {
        SetKeyValue(other.KeyValue());
    }
}

bool TDBGenericAccessBase::EngineMakesKey() const
{
    const TDBGenericTableInfo& table = TableInfo();
    if (table.Options().Contains(dbgDBGeneratesKey)) {
        return true;
    }
    if (table.UseMultiKeys() || table.KeyField().empty()) {
        return false;
    }
    const TDBGenericFieldInfo* column = table.Fields().FindName(table.KeyField());
    return column != nullptr && column->DBFieldType == fw::db::FieldType::ftAutoInc;
}

bool TDBGenericAccessBase::AssignNewKey()
{
    // The engine's own key wins: a key drawn from the registry would be thrown away by the
    // insert, which leaves an engine-made column out.
    if (EngineMakesKey()) {
        return true;
    }
    if (TableInfo().UseRecordKey()) {
        SetKeyValue(Info().NewRecordKey(TypeID(), UsesAlternateTable() ? 2 : 1));
        return true;
    }
    return false;
}

bool TDBGenericAccessBase::NeedsKeyToSave() const
{
    const TDBGenericTableInfo& table = TableInfo();
    if (table.Options().Contains(dbgDBGeneratesKey) || HasFlag(dbrfNoKeyToSave)) {
        return false;
    }
    if (table.UseMultiKeys()) {
        return true;
    }
    return !table.KeyField().empty() && !EngineMakesKey();
}

std::string TDBGenericAccessBase::DisplayText() const
{
    return TableInfo().KeyField() + " " + fw::IntToStr(KeyValue());
}

std::string TDBGenericAccessBase::ModifyFlagFieldName() const
{
    return Info().ModifyFlagField();
}

bool TDBGenericAccessBase::Differs(const TDBGenericAccessBase& other) const
{
    return other.className() != className() || other.KeyValue() != KeyValue();
}

void TDBGenericAccessBase::Clear(bool all)
{
    if (all) {
        SetKeyValue(-1);
        SetLoadedKey({});
    }
}

void TDBGenericAccessBase::CopyValues(const TDBGenericAccessBase& source, bool withKey)
{
    if (withKey) {
        SetKeyValue(source.KeyValue());
    }
}

TDBGRecordState TDBGenericAccessBase::KeptState()
{
    return TDBGRecordState([this, key = KeyValue(), loaded = LoadedKey(), date = Handler().LoadedDate()] {
        SetKeyValue(key);
        SetLoadedKey(loaded);
        Handler().SetLoadedDate(date);
    });
}

void TDBGenericAccessBase::CopyRecord(const TDBGenericAccessBase& source)
{
    if (source.className() != className()) {
        throw TGenericException("A record of type " + std::string(source.className())
                                    + " cannot be copied to a record of type " + std::string(className()) + ".",
                                nullptr, fw::SenderName(this), "CopyRecord");
    }
    CopyValues(source, true);
}

fw::Variant TDBGenericAccessBase::ColumnVariant(std::string_view name) const
{
    if (TableInfo().UseRecordKey() && fw::SameText(name, TableInfo().KeyField())) {
        return fw::Variant(KeyValue());
    }
    return fw::Variant::Null();
}

std::string TDBGenericAccessBase::ColumnLiteral(std::string_view name) const
{
    if (TableInfo().UseRecordKey() && fw::SameText(name, TableInfo().KeyField())) {
        return fw::IntToStr(KeyValue());
    }
    return {};
}

bool TDBGenericAccessBase::HasColumn(std::string_view name) const
{
    return TableInfo().UseRecordKey() && fw::SameText(name, TableInfo().KeyField());
}

void TDBGenericAccessBase::FieldValues(TDBGFieldValList& values, int mode) const
{
    const TDBGenericTableInfo& table = TableInfo();
    if ((mode & 1) == 0 && table.UseRecordKey() && !table.KeyField().empty() && !EngineMakesKey()) {
        values.Set(table.KeyField(), fw::IntToStr(KeyValue()));
    }
}

bool TDBGenericAccessBase::Load(int key, const std::string& date)
{
    return Handler().Load(fw::Variant(key), date);
}

bool TDBGenericAccessBase::LoadCondition(const std::string& condition, const std::string& date)
{
    return Handler().LoadCondition(condition, date);
}

bool TDBGenericAccessBase::Save()
{
    return Handler().Save();
}

bool TDBGenericAccessBase::SaveToHistory(const std::string& date)
{
    return Handler().SaveToHistory(date);
}

bool TDBGenericAccessBase::Delete(const std::string& date)
{
    return Handler().Delete(date);
}

bool TDBGenericAccessBase::Undelete()
{
    return Handler().Undelete();
}

bool TDBGenericAccessBase::IsNew()
{
    return Handler().IsNew();
}

void TDBGenericAccessBase::AddUser()
{
    ++Handler().useCount_;
}

void TDBGenericAccessBase::Release()
{
    Handler().Released();
}

int TDBGenericAccessBase::UseCount() const
{
    return const_cast<TDBGenericAccessBase*>(this)->Handler().UseCount();
}

TILTreeNode* TDBGenericAccessBase::AddToTree(TILTree& tree, TILTreeNode* parent, const NodeFilter& filter,
                                             const NodeCallback& callback)
{
    fw::App().ProcessMessages();
    if (filter && !filter(*this)) {
        return nullptr;
    }
    TILTreeNode* node = TILTreeNode::Create(parent != nullptr ? parent : tree.Root());
    ShowInTree(*node, callback);
    return node;
}

void TDBGenericAccessBase::ShowInTree(TILTreeNode& node, const NodeCallback& callback)
{
    fw::App().ProcessMessages();
    node.SetObject(this);
    node.SetText(DisplayText());
    if (callback) {
        callback(node, *this);
    }
}

TVisualHierarchyNode* TDBGenericAccessBase::AddToTree(TVisualHierarchyRoot& diagram, THierarchyNode* parent,
                                                      const NodeFilter& filter, const DiagramCallback& callback)
{
    fw::App().ProcessMessages();
    if (filter && !filter(*this)) {
        return nullptr;
    }
    auto node = std::make_unique<TVisualHierarchyNode>();
    // The diagram owns the node once it hangs below a parent.
    (parent != nullptr ? parent : &diagram)->AddChild(node.get());
    TVisualHierarchyNode* added = node.release();
    ShowInTree(*added, callback);
    return added;
}

void TDBGenericAccessBase::ShowInTree(TVisualHierarchyNode& node, const DiagramCallback& callback)
{
    fw::App().ProcessMessages();
    node.Data = this;
    node.SetCaption(DisplayText());
    if (callback) {
        callback(node, *this);
    }
}
