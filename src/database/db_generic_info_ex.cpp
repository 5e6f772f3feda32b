#include "database/db_generic_info_ex.h"

#include <memory>

#include "database/db_access_base.h"
#include "framework/core/strings.h"

std::string TDBGenericInfoEx::GetPrevSysDate(const std::string& sourceDate, bool includeSource)
{
    return OnGetPrevSysDate ? OnGetPrevSysDate(*this, sourceDate, includeSource) : std::string();
}

std::string TDBGenericInfoEx::GetNextSysDate(const std::string& sourceDate, bool includeSource)
{
    return OnGetNextSysDate ? OnGetNextSysDate(*this, sourceDate, includeSource) : std::string();
}

TDBGenericAccessBase* TDBGenericInfoEx::CreateDBClass(int typeID, TDBGSessionRef* session)
{
    std::unique_ptr<TDBGenericAccessBase> record(TDBGenericInfo::CreateDBClass(typeID, session));
    if (!record) {
        return nullptr;
    }
    const TDBGTypeIDEntry* entry = TypeRegister().Find(typeID);
    const std::string expected = entry != nullptr ? entry->RecordClass.ClassName : std::string();
    if (!fw::SameText(expected, record->className())) {
        const std::string made(record->className());
        record.reset();
        HandleException("TypeID mismatch.\r\nAn object of type " + expected + " was expected,\r\n"
                            + "but an object of type " + made + " was created.\r\n" + "TypeID = "
                            + fw::IntToStr(typeID) + ".",
                        0, {}, "CreateDBClass", this, {}, nullptr, this);
        return nullptr;
    }
    return record.release();
}
