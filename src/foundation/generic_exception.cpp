#include "foundation/generic_exception.h"

#include <iostream>
#include <memory>

namespace {

TGenericException::ShowHandler& CurrentShowHandler()
{
    static TGenericException::ShowHandler handler;
    return handler;
}

} // namespace

void TGenericExceptionInfo::Assign(const fw::Persistent* source)
{
    if (auto* other = dynamic_cast<const TGenericExceptionInfo*>(source)) {
        Message = other->Message;
        SenderName = other->SenderName;
        MethodName = other->MethodName;
        Code = other->Code;
        return;
    }
    fw::Persistent::Assign(source);
}

TGenericException::TGenericException(const std::string& message, const std::exception* previous,
                                     const std::string& senderName, const std::string& methodName, int code)
    : fw::Exception({})
{
    Fill(message, previous, senderName, methodName, code);
}

TGenericException TGenericException::CreateFromSender(const std::string& message, const std::exception* previous,
                                                      const fw::Object* sender, const std::string& methodName,
                                                      int code)
{
    return TGenericException(message, previous, fw::SenderName(sender), methodName, code);
}

TGenericException::TGenericException(const TGenericException& other) : fw::Exception(other)
{
    CopyInfos(other);
}

TGenericException& TGenericException::operator=(const TGenericException& other)
{
    if (this != &other) {
        fw::Exception::operator=(other);
        records_.Clear();
        CopyInfos(other);
    }
    return *this;
}

void TGenericException::Fill(const std::string& message, const std::exception* previous,
                             const std::string& senderName, const std::string& methodName, int code)
{
    SetMessage(message);
    AddInfo(message, code, senderName, methodName);
    if (previous == nullptr) {
        return;
    }
    if (auto* nested = dynamic_cast<const TGenericException*>(previous)) {
        CopyInfos(*nested);
    } else {
        AddInfo(fw::ErrorMessage(*previous), 0, {}, {});
    }
    SetMessage(message + "\r\n\r\n" + fw::ErrorMessage(*previous));
}

void TGenericException::AddInfo(const std::string& message, int code, const std::string& senderName,
                                const std::string& methodName)
{
    std::unique_ptr<TGenericExceptionInfo> info(NewInfo());
    info->Message = message;
    info->Code = code;
    info->SenderName = senderName;
    info->MethodName = methodName;
    records_.Add(info.release());
}

void TGenericException::CopyInfos(const TGenericException& other)
{
    for (int i = 0; i < other.InfoCount(); ++i) {
        records_.Add(fw::CloneOf(*other.GetInfo(i)).release());
    }
}

int TGenericException::GetFirstCode() const
{
    const TGenericExceptionInfo* first = GetInfo(0);
    return first != nullptr ? first->Code : 0;
}

void TGenericException::SetShowHandler(ShowHandler handler)
{
    CurrentShowHandler() = std::move(handler);
}

void TGenericException::Show() const
{
    if (const ShowHandler& handler = CurrentShowHandler()) {
        handler(*this);
        return;
    }
    std::cerr << Message() << '\n';
}
