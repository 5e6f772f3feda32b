#include "database/db_type_registers.h"

void TDBGTypeIDRegister::Add(TDBGTypeIDEntry entry)
{
    const int id = entry.TypeID;
    entries_.insert_or_assign(id, std::move(entry));
}

const TDBGTypeIDEntry* TDBGTypeIDRegister::Find(int typeID) const
{
    const auto found = entries_.find(typeID);
    return found != entries_.end() ? &found->second : nullptr;
}

void TDBGListTypeIDRegister::Add(int listTypeID, TDBGListClass listClass)
{
    entries_.insert_or_assign(listTypeID, std::move(listClass));
}

const TDBGListClass* TDBGListTypeIDRegister::Find(int listTypeID) const
{
    const auto found = entries_.find(listTypeID);
    return found != entries_.end() ? &found->second : nullptr;
}
