#pragma once

#include <mutex>
#include <string>

#include "foundation/enhanced_list.h"
#include "framework/core/object.h"

namespace fw::db {
class Connection;
class Session;
} // namespace fw::db

class TDBGenericInfo;
class TDBGSessionPool;

// One session of the pool with the connection it works on. Queries that start a
// transaction on it hold its critical section from the start of the transaction to the
// commit or roll-back, so that the transactions of several threads on one session follow
// each other instead of mixing.
//
// The reference of the framework's "Default" session neither owns that session nor a
// connection: it works on the settings component's Database, and is never freed with them.
class TDBGSessionRef : public fw::Object {
public:
    // Takes the session and the connection, unless the session is the "Default" one.
    TDBGSessionRef(TDBGSessionPool& pool, fw::db::Session* session, fw::db::Connection* connection);
    // Any other than the "Default" session: closes and frees every connection of the
    // session, deactivates and frees it, and deletes its private folder (neither "" nor ".").
    ~TDBGSessionRef() override;

    std::string_view className() const override { return "TDBGSessionRef"; }

    // Handed out by the pool: not free. Reserved ones are never handed out.
    bool Free() const { return free_; }
    void SetFree(bool free) { free_ = free; }
    bool Reserved() const { return reserved_; }
    void SetReserved(bool reserved) { reserved_ = reserved; }
    // Open the connection on first use.
    bool AutoOpen() const { return autoOpen_; }
    void SetAutoOpen(bool autoOpen) { autoOpen_ = autoOpen; }

    TDBGSessionPool& Pool() const { return pool_; }
    fw::db::Session* Session() const { return session_; }
    std::string SessionName() const;
    bool WrapsDefault() const;
    // The connection of its own; none for the "Default" session.
    fw::db::Connection* Database() const { return database_; }

    // The open connection: its own, or for the "Default" session the settings component's
    // Database. Opening gives the connection its alias as name when it has none, activates
    // the session and sets the login: DBLoginID and DBPassword when both are set, else the
    // parameters of the component's Database. Failures raise TGenericException
    // ("_getDatabase"), the engine's error as the previous one:
    //   "Unable to locate database <LocalDBName> in session <name>."
    //   "Unable to open database for session <name>.\r\nDB Name = <database name>"
    fw::db::Connection* GetDatabase();

    std::recursive_mutex& CriticalSection() { return criticalSection_; }

private:
    TDBGSessionPool& pool_;
    fw::db::Session* session_;
    fw::db::Connection* database_;
    bool free_ = true;
    bool reserved_ = false;
    bool autoOpen_ = true;
    std::recursive_mutex criticalSection_;
};

// Hands out sessions so that record objects can work in transactions of their own. Handed
// out sessions are never given back: the pool grows up to MaxSessions besides the reserved
// ones (the default session, the key registry's, and the exception log's once it is used).
class TDBGSessionPool : public fw::Persistent {
public:
    explicit TDBGSessionPool(TDBGenericInfo& info);
    ~TDBGSessionPool() override;

    std::string_view className() const override { return "TDBGSessionPool"; }
    // Copies MaxSessions, PrivateDirRoot, PrivateDirPrefix and DirRequired.
    void Assign(const fw::Persistent* source) override;

    TDBGenericInfo& Info() const { return info_; }

    int MaxSessions() const { return maxSessions_; }
    void SetMaxSessions(int count) { maxSessions_ = count; }
    const std::string& PrivateDirRoot() const { return privateDirRoot_; }
    void SetPrivateDirRoot(std::string folder) { privateDirRoot_ = std::move(folder); }
    const std::string& PrivateDirPrefix() const { return privateDirPrefix_; }
    void SetPrivateDirPrefix(std::string prefix) { privateDirPrefix_ = std::move(prefix); }
    // Every new session gets a private folder of its own under PrivateDirRoot.
    bool DirRequired() const { return dirRequired_; }
    void SetDirRequired(bool required) { dirRequired_ = required; }

    // The first free reference that is not reserved, or a new one: a session named
    // "DBGSession" with an automatic unique name and a connection through the component's
    // DBAlias. Raises TGenericException ("RequestSession") when MaxSessions are out:
    //   "Unable to provide session for database access.\r\nThe maximum number of sessions
    //   (<MaxSessions>) has been reached already."
    // Safe to call from several threads.
    TDBGSessionRef* RequestSession();
    // Wraps the framework's "Default" session: in use and reserved from the start.
    TDBGSessionRef* AddDefaultSession();

    int Count() const;
    TDBGSessionRef* Items(int index) const;

    // The connections of the pool's own sessions that use the old alias (ignoring case)
    // take the new one.
    void RenameAlias(const std::string& oldAlias, const std::string& newAlias);

private:
    void SessionStartup(fw::db::Session& session);

    TDBGenericInfo& info_;
    int maxSessions_ = 10;
    std::string privateDirRoot_;
    std::string privateDirPrefix_ = "_DBGSession";
    bool dirRequired_ = false;
    mutable std::mutex mutex_;
    TEnhancedListOf<TDBGSessionRef> sessions_;
};
