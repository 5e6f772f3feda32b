#include "database/db_access_compound.h"

#include <string>
#include <utility>
#include <vector>

#include "database/db_data_lock.h"
#include "database/db_generic_info.h"
#include "database/db_generic_query.h"
#include "database/db_handler_steps.h"
#include "database/db_session_pool.h"
#include "database/db_variants.h"
#include "foundation/generic_exception.h"
#include "framework/core/strings.h"

// --- The compound record ---------------------------------------------------------------------

TDBGenericAccessCompound::TDBGenericAccessCompound(int typeID, TDBGSessionRef& session, bool client)
    : TDBGenericAccessCompound(typeID, session, client, "TDBGenericAccessCompound")
{
}

TDBGenericAccessCompound::TDBGenericAccessCompound(int typeID, TDBGSessionRef& session, bool client,
                                                   std::string_view className)
    : TDBGenericAccessBase(typeID, session, client, className)
{
}

TDBGenericAccessCompound::~TDBGenericAccessCompound()
{
    for (auto& part : parts_) {
        try {
            part->Handler().SetOwningCompound(nullptr);
            part->Handler().ReleaseStub();
        } catch (const std::exception&) {
            // The part goes all the same.
        }
    }
    parts_.clear();
}

std::unique_ptr<TDBGenericAccessHandlerBase> TDBGenericAccessCompound::NewHandler()
{
    return std::make_unique<TDBGenericHandlerCompound>(*this, IsClient());
}

void TDBGenericAccessCompound::AddPart(std::unique_ptr<TDBGenericAccessBase> part, std::string section)
{
    part->SetOwner(this);
    part->Handler().SetOwningCompound(this);
    parts_.push_back(std::move(part));
    sections_.push_back(std::move(section));
}

TDBGenericAccessBase* TDBGenericAccessCompound::Part(int index) const
{
    return index >= 0 && index < PartCount() ? parts_[static_cast<std::size_t>(index)].get() : nullptr;
}

const std::string& TDBGenericAccessCompound::Section(int index) const
{
    static const std::string none;
    return index >= 0 && index < PartCount() ? sections_[static_cast<std::size_t>(index)] : none;
}

int TDBGenericAccessCompound::IndexOfSection(std::string_view section) const
{
    for (int i = 0; i < PartCount(); ++i) {
        if (fw::SameText(sections_[static_cast<std::size_t>(i)], section)) {
            return i;
        }
    }
    return -1;
}

TDBGenericAccessBase* TDBGenericAccessCompound::Locate(std::string_view section)
{
    const int index = IndexOfSection(section);
    if (index < 0) {
        Info().HandleException("Section " + std::string(section) + " does not exist in class "
                                   + std::string(className()) + ".",
                               91, {}, "Locate", this, {}, nullptr, this);
        return nullptr;
    }
    return Part(index);
}

bool TDBGenericAccessCompound::TakesPart(const TDBGenericAccessBase& part, Transfer transfer) const
{
    const bool notSaved = part.HasFlag(dbrfNotSaved);
    const bool notLoaded = part.HasFlag(dbrfNotLoaded);
    const bool local = part.HasFlag(dbrfLocal);
    switch (transfer) {
    case Transfer::Get:
        return IsClient() ? !notSaved && !local : !notLoaded;
    case Transfer::Set:
        return IsClient() ? !notLoaded && !local : !notSaved;
    case Transfer::Load:
        return !notLoaded;
    case Transfer::Save:
        return !notSaved;
    }
    return false;
}

bool TDBGenericAccessCompound::IsBlank() const
{
    for (const auto& part : parts_) {
        if (!part->IsBlank()) {
            return false;
        }
    }
    return true;
}

bool TDBGenericAccessCompound::GetModifyFlag() const
{
    for (const auto& part : parts_) {
        if (part->GetModifyFlag()) {
            return true;
        }
    }
    return false;
}

bool TDBGenericAccessCompound::IsModified() const
{
    for (const auto& part : parts_) {
        if (part->IsModified()) {
            return true;
        }
    }
    return false;
}

void TDBGenericAccessCompound::CopyValues(const TDBGenericAccessBase& source, bool withKey)
{
    const auto* compound = dynamic_cast<const TDBGenericAccessCompound*>(&source);
    if (compound == nullptr || source.className() != className()) {
        Info().HandleException("Unable to copy values from a " + std::string(source.className()) + " to a "
                                   + std::string(className()) + " instance.",
                               64, {}, "CopyValues", this, {}, nullptr, this);
        return;
    }
    TDBGenericAccessBase::CopyValues(source, withKey);
    for (int i = 0; i < PartCount() && i < compound->PartCount(); ++i) {
        Part(i)->CopyValues(*compound->Part(i), withKey);
    }
}

void TDBGenericAccessCompound::Clear(bool all)
{
    TDBGenericAccessBase::Clear(all);
    for (auto& part : parts_) {
        part->Clear(all);
    }
}

fw::Variant TDBGenericAccessCompound::KeyAsVariant() const
{
    std::vector<fw::Variant> pairs;
    for (int i = 0; i < PartCount(); ++i) {
        if (TakesPart(*Part(i), Transfer::Get)) {
            pairs.push_back(fw::Variant::Array({fw::Variant(Section(i)), Part(i)->KeyAsVariant()}));
        }
    }
    return fw::Variant::Array(std::move(pairs));
}

void TDBGenericAccessCompound::SetKeyFromVariant(const fw::Variant& key)
{
    if (!key.IsArray()) {
        return;
    }
    int position = -1;
    for (const fw::Variant& pair : key.Elements()) {
        if (!pair.IsArray() || pair.Elements().size() != 2) {
            continue;
        }
        if (TDBGenericAccessBase* part = PartOfPair(pair.Elements()[0], position)) {
            part->SetKeyFromVariant(pair.Elements()[1]);
        }
    }
}

fw::Variant TDBGenericAccessCompound::GetData() const
{
    std::vector<fw::Variant> pairs;
    for (int i = 0; i < PartCount(); ++i) {
        if (TakesPart(*Part(i), Transfer::Get)) {
            pairs.push_back(fw::Variant::Array({fw::Variant(Section(i)), Part(i)->GetData()}));
        }
    }
    return fw::Variant::Array(std::move(pairs));
}

TDBGenericAccessBase* TDBGenericAccessCompound::PartOfPair(const fw::Variant& section, int& position)
{
    const std::string name = VariantText(section);
    TDBGenericAccessBase* part = nullptr;
    if (name.empty()) {
        part = Part(++position);
    } else {
        const int index = IndexOfSection(name);
        if (index < 0) {
            Locate(name);
            ++position;
            return nullptr;
        }
        position = index;
        part = Part(index);
    }
    return part != nullptr && TakesPart(*part, Transfer::Set) ? part : nullptr;
}

void TDBGenericAccessCompound::SetData(const fw::Variant& data)
{
    if (IsReadOnly()) {
        if (HasFlag(dbrfStrict)) {
            Info().HandleException("Attempt to set a ReadOnly record in table " + TableName() + ".\r\n"
                                       + KeyDescription(),
                                   29, {}, "SetData", this, {}, nullptr, this);
        }
        return;
    }
    if (!data.IsArray()) {
        return;
    }
    int position = -1;
    for (const fw::Variant& pair : data.Elements()) {
        if (!pair.IsArray() || pair.Elements().size() != 2) {
            continue;
        }
        if (TDBGenericAccessBase* part = PartOfPair(pair.Elements()[0], position)) {
            part->SetData(pair.Elements()[1]);
            AfterPartData(*part);
        }
    }
}

std::vector<int> TDBGenericAccessCompound::ModifiedMarks() const
{
    std::vector<int> marks;
    for (const auto& part : parts_) {
        const std::vector<int> own = part->ModifiedMarks();
        marks.push_back(static_cast<int>(own.size()));
        marks.insert(marks.end(), own.begin(), own.end());
    }
    return marks;
}

void TDBGenericAccessCompound::RestoreModifiedMarks(const std::vector<int>& marks)
{
    std::size_t at = 0;
    for (auto& part : parts_) {
        if (at >= marks.size()) {
            return;
        }
        const auto count = static_cast<std::size_t>(marks[at++]);
        const std::size_t end = std::min(marks.size(), at + count);
        part->RestoreModifiedMarks(std::vector<int>(marks.begin() + static_cast<std::ptrdiff_t>(at),
                                                    marks.begin() + static_cast<std::ptrdiff_t>(end)));
        at = end;
    }
}

TDBGRecordState TDBGenericAccessCompound::KeptState()
{
    std::vector<TDBGRecordState> parts;
    for (auto& part : parts_) {
        parts.push_back(part->KeptState());
    }
    return TDBGRecordState([base = TDBGenericAccessBase::KeptState(), parts = std::move(parts)] {
        base.PutBack();
        for (const TDBGRecordState& part : parts) {
            part.PutBack();
        }
    });
}

// --- Its handler -------------------------------------------------------------------------------

namespace {

TDBGenericAccessCompound& CompoundOwner(TDBGenericAccessBase& record)
{
    if (auto* compound = dynamic_cast<TDBGenericAccessCompound*>(&record)) {
        return *compound;
    }
    const std::string message = "Error in access handler:\r\nOwner class " + std::string(record.className())
        + " is not a descendant of TDBGenericAccessCompound.";
    record.Info().HandleException(message, 55, {}, "_getOwner", &record, {}, nullptr, &record);
    throw TGenericException(message, nullptr, "TDBGenericHandlerCompound", "_getOwner", 55);
}

} // namespace

TDBGenericHandlerCompound::TDBGenericHandlerCompound(TDBGenericAccessBase& record, bool client)
    : TDBGenericAccessHandlerBase(record, client), owner_(CompoundOwner(record))
{
}

void TDBGenericHandlerCompound::ClearNewRecordMarker()
{
    if (owner_.HasFlag(dbrfAfterConstruction)) {
        owner_.SetNewRecordMarker(false);
    }
}

bool TDBGenericHandlerCompound::CreateKey()
{
    if (owner_.HasKey()) {
        return false;
    }
    bool engine = false;
    for (int i = 0; i < owner_.PartCount(); ++i) {
        TDBGenericAccessBase& part = *owner_.Part(i);
        owner_.BeforePartKeyAssignment(part, i);
        part.Handler().CreateKey();
        engine = engine || part.EngineMakesKey();
    }
    return engine;
}

template <class Step>
bool TDBGenericHandlerCompound::EachPart(TDBGQueryRef& query, bool commit, bool clearOnFailure, bool lastFirst,
                                         Step step)
{
    const TDBGErrorWatch watch;
    try {
        EnsureQuery(query);
        const int count = owner_.PartCount();
        for (int n = 0; n < count; ++n) {
            const int i = lastFirst ? count - 1 - n : n;
            step(*owner_.Part(i), i);
            CheckStep(watch);
        }
        return true;
    } catch (const EStepReported&) {
        if (clearOnFailure) {
            owner_.Clear(true);
        }
        Finish(query, commit, false);
        return false;
    } catch (...) {
        if (clearOnFailure) {
            owner_.Clear(true);
        }
        Finish(query, commit, false);
        throw;
    }
}

bool TDBGenericHandlerCompound::LoadWithQueryS(const fw::Variant& key, const std::string& date, TDBGQueryRef& query,
                                               bool commit)
{
    const StateScope state(*this, dbhsCompoundLoad);
    bool first = true;
    // The compound is one record: it was found when every part it loads found its row, so
    // that a key without rows answers as a plain record's load does.
    bool found = true;
    const bool loaded = EachPart(query, commit, true, false, [&](TDBGenericAccessBase& part, int index) {
        if (!owner_.TakesPart(part, TDBGenericAccessCompound::Transfer::Load)) {
            return;
        }
        if (first) {
            part.Handler().SetConditionText(ConditionText());
            first = false;
        }
        owner_.BeforePartLoad(part, index);
        found = part.Handler().LoadWithQuery(key, date, query, false) && found;
        owner_.AfterPartLoad(index);
    });
    if (!loaded) {
        return false;
    }
    owner_.AfterLoad(date);
    Finish(query, commit, true);
    ClearNewRecordMarker();
    return found;
}

bool TDBGenericHandlerCompound::LoadFromHistoryS(const fw::Variant& key, TDBGQueryRef& query, const std::string& date,
                                                 bool commit)
{
    const StateScope state(*this, dbhsHistoryLoad);
    owner_.BeforeHistoryLoad(date);
    // The compound is one record: it read its period when every part read its own. A
    // record that finds no period keeps its values; so does the compound, all of them, so
    // that it never holds parts of two dates.
    const TDBGRecordState before = owner_.KeptState();
    bool found = true;
    const bool loaded = EachPart(query, commit, true, false, [&](TDBGenericAccessBase& part, int index) {
        owner_.BeforePartLoad(part, index);
        found = part.Handler().LoadFromHistory(key, query, date, false) && found;
    });
    if (!loaded) {
        return false;
    }
    if (!found) {
        before.PutBack();
    }
    owner_.AfterHistoryLoad(date);
    Finish(query, commit, true);
    return found;
}

bool TDBGenericHandlerCompound::SaveWithQueryS(TDBGQueryRef& query, bool commit)
{
    const StateScope state(*this, dbhsSave);
    owner_.BeforeSave();
    const int validation = owner_.Validate();
    if (validation != 0) {
        Finish(query, commit, false);
        Report("Record validation on table " + owner_.TableName() + " failed with error " + fw::IntToStr(validation)
                   + "\r\n" + owner_.KeyDescription(),
               25, {}, "SaveWithQuery");
        return false;
    }
    // The parts' new keys are kept only when the whole save is.
    TDBGKeysGivenBack keys;
    for (int i = 0; i < owner_.PartCount(); ++i) {
        keys.Watch(*owner_.Part(i));
    }
    // Keys first, before the transaction: the key registry works on a connection of its own.
    {
        const TDBGErrorWatch watch;
        CreateKey();
        if (watch.Reported()) {
            Finish(query, commit, false);
            return false;
        }
    }
    // A roll-back undoes what the parts wrote, so they must still count as changed after it.
    const std::vector<int> marks = owner_.ModifiedMarks();
    bool saved = false;
    fw::db::Connection* connection = nullptr;
    try {
        saved = EachPart(query, commit, false, false, [&](TDBGenericAccessBase& part, int index) {
            if (!owner_.TakesPart(part, TDBGenericAccessCompound::Transfer::Save)) {
                return;
            }
            part.Handler().SaveWithQuery(query, false);
            owner_.AfterPartSave(index);
        });
        if (saved) {
            owner_.AfterSave();
            connection = query ? query->GetConnection() : nullptr;
            Finish(query, commit, true);
        }
    } catch (...) {
        owner_.RestoreModifiedMarks(marks);
        throw;
    }
    if (!saved) {
        owner_.RestoreModifiedMarks(marks);
        return false;
    }
    // The parts' keys were drawn above, before their own saves: a roll-back of a
    // transaction this save only joined takes them back here.
    keys.Keep(connection);
    ClearNewRecordMarker();
    return true;
}

bool TDBGenericHandlerCompound::SaveToHistoryWithQueryS(const std::string& date, TDBGQueryRef& query, bool commit)
{
    const StateScope state(*this, dbhsHistorySave);
    owner_.BeforeHistorySave(date);
    const bool saved = EachPart(query, commit, false, false, [&](TDBGenericAccessBase& part, int) {
        part.Handler().SaveToHistoryWithQuery(date, query, false);
    });
    if (!saved) {
        return false;
    }
    owner_.AfterHistorySave(date);
    Finish(query, commit, true);
    return true;
}

bool TDBGenericHandlerCompound::RestoreFromHistoryS(const std::string& date, TDBGQueryRef& query, bool commit)
{
    const StateScope state(*this, dbhsRestore);
    owner_.BeforeHistoryLoad(date);
    const bool restored = EachPart(query, commit, true, false, [&](TDBGenericAccessBase& part, int) {
        part.Handler().RestoreFromHistory(date, query, false);
    });
    if (!restored) {
        return false;
    }
    owner_.AfterHistoryLoad(date);
    Finish(query, commit, true);
    return true;
}

bool TDBGenericHandlerCompound::HistoryRollbackS(const std::string& date, TDBGQueryRef& query, bool commit)
{
    const bool rolledBack = EachPart(query, commit, false, false, [&](TDBGenericAccessBase& part, int) {
        part.Handler().HistoryRollback(date, query, false);
    });
    if (!rolledBack) {
        return false;
    }
    Finish(query, commit, true);
    return true;
}

int TDBGenericHandlerCompound::SetRecordLockS(bool lock, const std::string& user)
{
    TDBGenericInfo& info = Info();
    if (info.Locks() == nullptr || !info.Locks()->Enabled()) {
        return 0;
    }
    // The lock rows of the parts done before a failing one go with the roll-back; what the
    // parts believe they hold must go back with them.
    std::vector<std::pair<bool, std::string>> held;
    held.reserve(static_cast<std::size_t>(owner_.PartCount()));
    for (int i = 0; i < owner_.PartCount(); ++i) {
        const TDBGenericAccessHandlerBase& handler = owner_.Part(i)->Handler();
        held.emplace_back(handler.locked_, handler.lockUser_);
    }
    const auto restore = [&] {
        for (int i = 0; i < owner_.PartCount() && i < static_cast<int>(held.size()); ++i) {
            TDBGenericAccessHandlerBase& handler = owner_.Part(i)->Handler();
            handler.locked_ = held[static_cast<std::size_t>(i)].first;
            handler.lockUser_ = held[static_cast<std::size_t>(i)].second;
        }
    };
    int answer = 0;
    TDBGQueryRef query = std::make_unique<TDBGenericQuery>(info.DefaultSession(), &owner_, true);
    bool locked = false;
    try {
        locked = EachPart(query, true, false, true, [&](TDBGenericAccessBase& part, int index) {
            const int result = part.Handler().SetRecordLock(lock, user);
            if (index == 0) {
                answer = result;
            }
        });
        if (locked) {
            Finish(query, true, true);
        }
    } catch (...) {
        restore();
        throw;
    }
    if (!locked) {
        restore();
        return lock ? 0 : answer;
    }
    locked_ = lock;
    lockUser_ = lock ? user : std::string();
    return answer;
}

int TDBGenericHandlerCompound::SetRecordLockC(bool lock, const std::string& user)
{
    const int answer = TDBGenericAccessHandlerBase::SetRecordLockC(lock, user);
    for (int i = 0; i < owner_.PartCount(); ++i) {
        TDBGenericAccessBase& part = *owner_.Part(i);
        if (part.HasFlag(dbrfLocal) && !part.IsReadOnly()) {
            part.Handler().SetRecordLock(lock, user);
        }
    }
    return answer;
}

bool TDBGenericHandlerCompound::LoadC(const fw::Variant& key, const std::string& date)
{
    owner_.SetData(GetStub().LoadData(key, date));
    loadedDate_ = date;
    for (int i = 0; i < owner_.PartCount(); ++i) {
        TDBGenericAccessBase& part = *owner_.Part(i);
        if (part.HasFlag(dbrfLocal) && !part.HasFlag(dbrfNotLoaded)) {
            part.Handler().Load(fw::Variant(part.KeyValue()), date);
            owner_.AfterPartData(part);
        }
    }
    ClearNewRecordMarker();
    return true;
}

bool TDBGenericHandlerCompound::SaveC()
{
    if (owner_.IsReadOnly()) {
        if (owner_.HasFlag(dbrfStrict)) {
            Report("Attempt to write a ReadOnly record to table " + owner_.TableName() + ".\r\n", 28, {}, "SaveC");
        }
        return false;
    }
    IDBGenericAccessStub& stub = GetStub();
    remoteReference_ = stub.SaveData(owner_.GetData());
    for (int i = 0; i < owner_.PartCount(); ++i) {
        TDBGenericAccessBase& part = *owner_.Part(i);
        if (part.HasFlag(dbrfLocal) && !part.HasFlag(dbrfNotSaved)) {
            part.Handler().Save();
        }
    }
    if (remoteReference_.IsEmpty() || remoteReference_.IsNull()) {
        owner_.SetData(stub.GetData());
    }
    ClearNewRecordMarker();
    return true;
}
