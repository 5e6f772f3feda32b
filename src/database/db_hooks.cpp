#include "database/db_hooks.h"

#include <algorithm>

#include "database/db_generic_info.h"
#include "database/db_list.h"

TDBGenericInfoHookRegisterList& TDBGenericInfoHookRegisterList::Instance()
{
    static TDBGenericInfoHookRegisterList hooks;
    return hooks;
}

void TDBGenericInfoHookRegisterList::Register(TDBGenericInfo* info, IDBGenericHook* recordHook,
                                              IDBGenericHook* listHook)
{
    const std::lock_guard lock(mutex_);
    for (Entry& entry : entries_) {
        if (entry.Info == info) {
            entry.RecordHook = recordHook;
            entry.ListHook = listHook;
            return;
        }
    }
    entries_.push_back(Entry{info, recordHook, listHook});
}

void TDBGenericInfoHookRegisterList::Unregister(const TDBGenericInfo* info)
{
    const std::lock_guard lock(mutex_);
    std::erase_if(entries_, [info](const Entry& entry) { return entry.Info == info; });
}

int TDBGenericInfoHookRegisterList::Count() const
{
    const std::lock_guard lock(mutex_);
    return static_cast<int>(entries_.size());
}

int TDBGenericInfoHookRegisterList::Notify(int event, fw::Object* sender)
{
    const TDBGenericInfo* info = SettingsComponentOf(sender);
    if (info == nullptr || info->Options().Contains(dbfDisableHooks)) {
        return 0;
    }
    IDBGenericHook* hook = nullptr;
    {
        const std::lock_guard lock(mutex_);
        const auto found =
            std::find_if(entries_.begin(), entries_.end(), [info](const Entry& entry) { return entry.Info == info; });
        if (found == entries_.end()) {
            return 0;
        }
        hook = dynamic_cast<TDBGenericListBase*>(sender) != nullptr ? found->ListHook : found->RecordHook;
    }
    return hook != nullptr ? hook->Notify(event, sender) : 0;
}
