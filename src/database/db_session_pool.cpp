#include "database/db_session_pool.h"

#include <memory>

#include "database/db_generic_functions.h"
#include "database/db_generic_info.h"
#include "foundation/folder_utils.h"
#include "foundation/generic_exception.h"
#include "framework/core/strings.h"
#include "framework/db/db_connection.h"
#include "framework/db/db_session.h"

// --- Session references --------------------------------------------------------------------

TDBGSessionRef::TDBGSessionRef(TDBGSessionPool& pool, fw::db::Session* session, fw::db::Connection* connection)
    : pool_(pool), session_(session), database_(connection)
{
}

TDBGSessionRef::~TDBGSessionRef()
{
    if (WrapsDefault()) {
        return;
    }
    const std::string folder = session_->PrivateDir();
    session_->CloseDatabases();
    session_->FreeDatabases();
    session_->SetActive(false);
    delete session_;
    if (!folder.empty() && folder != ".") {
        DeleteFolder(folder);
    }
}

std::string TDBGSessionRef::SessionName() const
{
    return session_->SessionName();
}

bool TDBGSessionRef::WrapsDefault() const
{
    return session_ == &fw::db::Session::Default();
}

fw::db::Connection* TDBGSessionRef::GetDatabase()
{
    TDBGenericInfo& info = pool_.Info();
    fw::db::Connection* connection = database_;
    if (connection == nullptr && WrapsDefault()) {
        connection = info.Database();
    }
    if (connection == nullptr) {
        throw TGenericException("Unable to locate database <" + info.LocalDBName() + "> in session <"
                                    + SessionName() + ">.",
                                nullptr, fw::SenderName(this), "_getDatabase");
    }
    if (connection->Connected() || !autoOpen_) {
        return connection;
    }
    // Two threads of one session open its connection once.
    const std::lock_guard lock(criticalSection_);
    if (!connection->Connected()) {
        if (connection->DatabaseName().empty()) {
            connection->SetDatabaseName(connection->AliasName());
        }
        session_->SetActive(true);
        if (!info.DBLoginID().empty() && !info.DBPassword().empty()) {
            SetLoginParams(connection->Params(), info.DBType(), info.DBLoginID(), info.DBPassword());
        } else if (info.Database() != nullptr && info.Database() != connection) {
            connection->Params().Assign(info.Database()->Params());
        }
        connection->SetLoginPrompt(false);
        try {
            connection->Open();
        } catch (const std::exception& error) {
            throw TGenericException("Unable to open database for session <" + SessionName() + ">.\r\n"
                                        + "DB Name = " + connection->DatabaseName(),
                                    &error, fw::SenderName(this), "_getDatabase");
        }
    }
    return connection;
}

// --- The pool ------------------------------------------------------------------------------

TDBGSessionPool::TDBGSessionPool(TDBGenericInfo& info) : info_(info) {}

TDBGSessionPool::~TDBGSessionPool()
{
    sessions_.Clear();
}

void TDBGSessionPool::Assign(const fw::Persistent* source)
{
    if (auto* other = dynamic_cast<const TDBGSessionPool*>(source)) {
        maxSessions_ = other->maxSessions_;
        privateDirRoot_ = other->privateDirRoot_;
        privateDirPrefix_ = other->privateDirPrefix_;
        dirRequired_ = other->dirRequired_;
        return;
    }
    fw::Persistent::Assign(source);
}

int TDBGSessionPool::Count() const
{
    const std::lock_guard lock(mutex_);
    return sessions_.Count();
}

TDBGSessionRef* TDBGSessionPool::Items(int index) const
{
    const std::lock_guard lock(mutex_);
    return sessions_.GetItem(index);
}

TDBGSessionRef* TDBGSessionPool::AddDefaultSession()
{
    const std::lock_guard lock(mutex_);
    auto* reference = new TDBGSessionRef(*this, &fw::db::Session::Default(), nullptr);
    reference->SetFree(false);
    reference->SetReserved(true);
    sessions_.Add(reference);
    return reference;
}

TDBGSessionRef* TDBGSessionPool::RequestSession()
{
    const std::lock_guard lock(mutex_);
    int reserved = 0;
    for (fw::Object* item : sessions_) {
        auto* session = static_cast<TDBGSessionRef*>(item);
        if (session->Free() && !session->Reserved()) {
            session->SetFree(false);
            return session;
        }
        reserved += session->Reserved() ? 1 : 0;
    }
    // The default and the key registry's sessions never count; a third reserved one (the
    // exception log's) does not either.
    const int beyondTwo = reserved > 2 ? reserved - 2 : 0;
    if (sessions_.Count() >= maxSessions_ + 2 + beyondTwo) {
        throw TGenericException("Unable to provide session for database access.\r\nThe maximum number of sessions ("
                                    + fw::IntToStr(maxSessions_) + ") has been reached already.",
                                nullptr, fw::SenderName(this), "RequestSession");
    }
    auto session = std::make_unique<fw::db::Session>();
    session->SetSessionName("DBGSession");
    session->SetAutoSessionName(true);
    if (dirRequired_) {
        session->SetPrivateDir(".");
    }
    session->SetOnStartup([this](fw::db::Session& started) { SessionStartup(started); });
    session->SetKeepConnections(true);
    auto* connection = new fw::db::Connection(session.get());
    connection->SetAliasName(info_.DBAlias());
    connection->SetKeepConnection(true);
    if (connection->DatabaseName().empty()) {
        connection->SetDatabaseName(connection->AliasName());
    }
    auto* reference = new TDBGSessionRef(*this, session.release(), connection);
    sessions_.Add(reference);
    reference->SetFree(false);
    return reference;
}

void TDBGSessionPool::SessionStartup(fw::db::Session& session)
{
    if (fw::SameText(session.SessionName(), "Default") || !dirRequired_ || session.PrivateDir() != ".") {
        return;
    }
    session.SetPrivateDir(CreateUniqueFolder(privateDirRoot_, 100, privateDirPrefix_));
}

void TDBGSessionPool::RenameAlias(const std::string& oldAlias, const std::string& newAlias)
{
    const std::lock_guard lock(mutex_);
    for (fw::Object* item : sessions_) {
        auto* session = static_cast<TDBGSessionRef*>(item);
        if (session->WrapsDefault()) {
            continue;
        }
        for (fw::db::Connection* connection : session->Session()->Databases()) {
            if (fw::SameText(connection->AliasName(), oldAlias)) {
                connection->SetAliasName(newAlias);
            }
        }
    }
}
