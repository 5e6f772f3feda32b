#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "framework/gui/enum_set.h"

// The server kinds the layer's SQL dialect knows. SQLServer and Generic write the same SQL
// everywhere; SQLite and PostgreSQL take either.
enum TDBGDatabaseType : std::uint8_t {
    dbgDBType_SQLServer,
    dbgDBType_Progress,
    dbgDBType_Interbase,
    dbgDBType_Informix,
    dbgDBType_Generic,
    dbgDBType_Oracle,
};

inline constexpr std::array<std::string_view, 6> DBGDatabaseTypeNames{"SQLServer", "Progress",  "Interbase",
                                                                       "Informix",  "Generic",   "Oracle"};

// The options of the settings component.
enum TDBGenericInfoOption {
    dbfLoadNoDateLimit,
    dbfSaveHistoryRedate,
    dbfEvenHistoryEnd,
    dbfSQLLogging,
    dbfDisableHooks,
    dbfAutoCreateFirstHistory,
    dbfNewHistoryHandling,
    dbfMultithreadDB,
    dbfSQLNoScientificFmt,
};
using TDBGenericInfoOptionSet = fw::EnumSet<TDBGenericInfoOption>;

// The type ID under which the host registers the exception log's table.
inline constexpr int ExceptionLogTypeID = -1;
