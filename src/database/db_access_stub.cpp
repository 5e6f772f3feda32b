#include "database/db_access_stub.h"

#include <mutex>

#include "database/db_access_handler.h"
#include "database/db_generic_info.h"
#include "foundation/generic_exception.h"
#include "framework/core/strings.h"

const fw::Variant* TDBGRemoteRow::Find(std::string_view name) const
{
    for (const auto& [column, value] : Values) {
        if (fw::SameText(column, name)) {
            return &value;
        }
    }
    return nullptr;
}

namespace {

struct StubHooks {
    std::mutex Mutex;
    TDBGStubFactory Factory;
    TDBGStubContextHook ContextHook;
};

StubHooks& Hooks()
{
    static StubHooks hooks;
    return hooks;
}

} // namespace

void SetStubFactory(TDBGStubFactory factory)
{
    const std::lock_guard lock(Hooks().Mutex);
    Hooks().Factory = std::move(factory);
}

TDBGStubFactory StubFactory()
{
    const std::lock_guard lock(Hooks().Mutex);
    return Hooks().Factory ? Hooks().Factory : TDBGStubFactory(DefaultStubFactory);
}

void SetStubContextHook(TDBGStubContextHook hook)
{
    const std::lock_guard lock(Hooks().Mutex);
    Hooks().ContextHook = std::move(hook);
}

TDBGStubContextHook StubContextHook()
{
    const std::lock_guard lock(Hooks().Mutex);
    return Hooks().ContextHook;
}

std::unique_ptr<IDBGenericAccessStub> DefaultStubFactory(TDBGenericAccessHandlerBase& handler)
{
    std::string message = "No remote access server is available.";
    const std::string& server = handler.Info().ServerName();
    if (!server.empty()) {
        message += "\r\nServer = " + server;
    }
    throw TGenericException(message, nullptr, fw::SenderName(&handler), "GetStub");
}

const std::vector<TDBGClientRefusalText>& ClientRefusals()
{
    using R = TDBGClientRefusal;
    static const std::vector<TDBGClientRefusalText> refusals{
        {R::IsDateInHistory, "The method IsDateInHistory is not available in client clases yet.", "IsDateInHistory",
         0},
        {R::LoadConditionWithQuery, "The method LoadConditionWithQuery in not avaialable to client classes.",
         "LoadConditionWithQuery", 0},
        {R::LoadCondition, "The method LoadCondition has not bee implemented for client classes yet.",
         "LoadConditionC", 0},
        {R::LoadWithQuery, "The method LoadWithQuery is not avaible to client classes.", "LoadWithQuery", 0},
        {R::LoadCurrent, "The method LoadCurrent is not avaible to client classes.", "LoadWithQuery", 21},
        {R::LoadFromHistory, "The LoadFromHistory method is not directly available to client classes.",
         "LoadFromHistory", 75},
        {R::LoadFromHistoryCondition, "The LoadFromHistoryCondition method is not available to client classes.",
         "LoadFromHistoryCondition", 75},
        {R::SaveWithQuery, "The SaveWithQuery method is not directly available to client classes.", "SaveWithQuery",
         20},
        {R::SaveToHistoryWithQuery, "The SaveToHistoryWithQuery method is not available to client classes.",
         "SaveToHistoryWithQuery", 71},
        {R::UpdateFields, "The UpdateFields method is not available to client classes.", "UpdateFields", 66},
        {R::RestoreFromHistory, "The RestoreFromHistory method is not available to client classes.",
         "RestoreFromHistory", 80},
        {R::HistoryRollback, "The HistoryRollback method is not available to client classes.", "HistoryRollback",
         77},
        {R::IsNew, "Client method nt defined yet.", "_getIsNewC", 0},
        {R::Undelete, "The UNDELETE method is not available yet in client classes.", "UndeleteC", 37},
        {R::Delete, "The DELETE method is not available yet in client classes.", "DeleteC", 31},
    };
    return refusals;
}

const TDBGClientRefusalText& ClientRefusalOf(TDBGClientRefusal refusal)
{
    return ClientRefusals()[static_cast<std::size_t>(refusal)];
}
