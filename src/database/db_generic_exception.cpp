#include "database/db_generic_exception.h"

#include "database/db_exception_log.h"
#include "database/db_generic_info.h"
#include "framework/core/strings.h"

TDBGenericInfo* SettingsComponentOf(const fw::Object* object)
{
    if (auto* source = dynamic_cast<const IDBGenericInfoSource*>(object)) {
        return source->GenericInfo();
    }
    return nullptr;
}

void TDBGenericExceptionInfo::Assign(const fw::Persistent* source)
{
    TGenericExceptionInfo::Assign(source);
    if (auto* other = dynamic_cast<const TDBGenericExceptionInfo*>(source)) {
        UserID = other->UserID;
        SQL = other->SQL;
    }
}

TDBGenericException::TDBGenericException(const std::string& message, const std::string& sql,
                                         const std::string& methodName, const fw::Object* sender,
                                         const std::string& userID, const std::exception* previous,
                                         fw::Object* refObj, int code)
    : TGenericException(Deferred{}), refObj_(refObj), sql_(sql)
{
    std::string text = message;
    if (refObj != nullptr) {
        text += "\r\nRefObj = " + std::string(refObj->className());
    }
    Fill(text, previous, fw::SenderName(sender), methodName, code);
    TDBGenericInfo* info = SettingsComponentOf(refObj);
    userID_ = userID.empty() && info != nullptr ? info->CurrentUserID() : userID;
    if (auto* first = dynamic_cast<TDBGenericExceptionInfo*>(GetInfo(0))) {
        first->SQL = sql;
        first->UserID = userID_;
    }
    if (info != nullptr) {
        LogException(info);
    }
}

TDBGenericException::TDBGenericException(const TDBGenericException& other)
    : TGenericException(other), refObj_(other.refObj_), userID_(other.userID_), sql_(other.sql_)
{
}

TDBGenericException& TDBGenericException::operator=(const TDBGenericException& other)
{
    if (this != &other) {
        TGenericException::operator=(other);
        refObj_ = other.refObj_;
        userID_ = other.userID_;
        sql_ = other.sql_;
    }
    return *this;
}

void TDBGenericException::LogException(TDBGenericInfo* info)
{
    if (IsWritingExceptionLog() || info == nullptr || !info->ExceptionLogEnabled()) {
        return;
    }
    try {
        WriteExceptionLog(*info, *this);
    } catch (const std::exception& failure) {
        // The error stays what it was; that it could not be logged follows its records.
        AddInfo("The error could not be written to the exception log.", 0, "TDBGenericExceptionLog",
                "LogException");
        if (auto* own = dynamic_cast<const TGenericException*>(&failure)) {
            CopyInfos(*own);
        } else {
            AddInfo(fw::ErrorMessage(failure), 0, {}, {});
        }
    }
}
