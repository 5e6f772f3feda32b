#pragma once

#include <cstdint>

// The record flag set of a record object: two bytes of switches. The positions of most are
// fixed by the records that read them (and by stored flag values); the missing-column and
// the after-construction flags are this layer's own choice of free bits.
using TDBGRecordFlags = std::uint16_t;

// Byte 0.
// A load that finds no valid key reports it (code 24) instead of loading nothing quietly.
inline constexpr TDBGRecordFlags dbrfReportLoadWithoutKey = 0x0001;
// A column name the record lacks is reported (code 90). Set when a record is made.
inline constexpr TDBGRecordFlags dbrfReportMissingColumn = 0x0002;
// Set when a record is made; a compound clears its new-record marker after its first load
// or save while this is set.
inline constexpr TDBGRecordFlags dbrfAfterConstruction = 0x0004;
// A save needs no valid key.
inline constexpr TDBGRecordFlags dbrfNoKeyToSave = 0x0010;
// The record frees itself when its last user releases it.
inline constexpr TDBGRecordFlags dbrfFreeOnRelease = 0x0040;
inline constexpr TDBGRecordFlags dbrfReadOnly = 0x0080;

// Byte 1.
// Writes to a read-only record, and saves of one, are reported (codes 29 and 28) instead of
// ignored.
inline constexpr TDBGRecordFlags dbrfStrict = 0x0100;
// The transfer flags of the parts of a compound record: the part is not saved with the
// compound (and not sent by a client), not loaded with it (and not sent by the server), or
// works on its own, directly on the database, beside a client compound's remote exchange.
inline constexpr TDBGRecordFlags dbrfNotSaved = 0x0400;
inline constexpr TDBGRecordFlags dbrfNotLoaded = 0x0800;
inline constexpr TDBGRecordFlags dbrfLocal = 0x1000;

// What a record's handler is doing (its operation code).
enum TDBGHandlerState {
    dbhsIdle = 0,
    dbhsSave = 2,
    dbhsHistorySave = 3,
    dbhsCompoundLoad = 4,
    dbhsLoadCurrent = 5,
    dbhsHistoryLoad = 6,
    dbhsDelete = 7,
    dbhsRestore = 8,
    // A history load that another operation of the same handler began (a restore).
    dbhsOuterHistoryLoad = 9,
    dbhsUndelete = 10,
};
