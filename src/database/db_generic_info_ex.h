#pragma once

#include <functional>
#include <string>

#include "database/db_generic_info.h"

// The settings component with the host's calendar of system dates, and a CreateDBClass
// that checks the class it made against the one registered for the type ID.
class TDBGenericInfoEx : public TDBGenericInfo {
public:
    using TDBGenericInfo::TDBGenericInfo;

    std::string_view className() const override { return "TDBGenericInfoEx"; }

    // (sender, source date text, whether the source date itself counts) -> date text.
    using SysDateEvent =
        std::function<std::string(TDBGenericInfoEx& sender, const std::string& sourceDate, bool includeSource)>;
    SysDateEvent OnGetPrevSysDate;
    SysDateEvent OnGetNextSysDate;

    // The events' answers; an empty text without them.
    std::string GetPrevSysDate(const std::string& sourceDate, bool includeSource);
    std::string GetNextSysDate(const std::string& sourceDate, bool includeSource);

    // A record of another class than the register names is freed after reporting "TypeID
    // mismatch.\r\nAn object of type <registered class> was expected,\r\nbut an object of
    // type <made class> was created.\r\nTypeID = <id>." ("CreateDBClass"); the answer is
    // then none.
    TDBGenericAccessBase* CreateDBClass(int typeID, TDBGSessionRef* session = nullptr) override;
};
