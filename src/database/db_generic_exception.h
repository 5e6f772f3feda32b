#pragma once

#include <exception>
#include <string>

#include "foundation/generic_exception.h"

class TDBGenericInfo;

// The objects of the layer that know their settings component: the component itself, its
// queries, and the records and lists built on it. An error whose reference object is one
// of them is logged through that component and names its current user.
class IDBGenericInfoSource {
public:
    virtual ~IDBGenericInfoSource() = default;
    virtual TDBGenericInfo* GenericInfo() const = 0;
};

// The settings component an object reaches, none for any other object.
TDBGenericInfo* SettingsComponentOf(const fw::Object* object);

// A record of a database error: the base record with the user on whose behalf the failing
// statement ran and that statement's text (several lines, or empty when no statement failed).
class TDBGenericExceptionInfo : public TGenericExceptionInfo {
public:
    std::string UserID;
    std::string SQL;

    std::string_view className() const override { return "TDBGenericExceptionInfo"; }
    fw::Object* NewInstance() const override { return new TDBGenericExceptionInfo; }
    // The base fields and, from another database record, these two.
    void Assign(const fw::Persistent* source) override;
    // The exception details window lists this under "SQL".
    std::string SQLText() const override { return SQL; }
};

// The layer's error type: every record it makes is a TDBGenericExceptionInfo; the first
// carries the SQL text and the user.
//
// Made with a reference object, the message gains "\r\nRefObj = " + the object's class
// name; the user defaults to the settings component's CurrentUserID; and the error writes
// itself into that component's exception log when the component asks for it (LogException).
// Copies never log again.
class TDBGenericException : public TGenericException {
public:
    TDBGenericException(const std::string& message, const std::string& sql, const std::string& methodName,
                        const fw::Object* sender, const std::string& userID, const std::exception* previous,
                        fw::Object* refObj, int code = 0);
    TDBGenericException(const TDBGenericException& other);
    TDBGenericException& operator=(const TDBGenericException& other);
    ~TDBGenericException() override = default;

    std::string_view className() const noexcept override { return "TDBGenericException"; }
    TGenericExceptionInfo* NewInfo() const override { return new TDBGenericExceptionInfo; }

    // The object of the layer the error concerns; not owned, and only valid while that
    // object lives.
    fw::Object* RefObj() const { return refObj_; }
    const std::string& UserID() const { return userID_; }
    const std::string& SQL() const { return sql_; }

    // Writes the error into the exception log of the settings component (db_exception_log.h).
    // Nothing happens while this thread is logging already (an error of the log itself is
    // never logged), without a component, or while its ExceptionLogEnabled is off. When the
    // row cannot be written the error keeps its message and first record; a note of the
    // failure follows its records.
    void LogException(TDBGenericInfo* info);

private:
    fw::Object* refObj_ = nullptr;
    std::string userID_;
    std::string sql_;
};
