#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "framework/core/object.h"

namespace fw::db {

class Connection;

// A named group of connections with a private folder and an activation switch. The
// process-wide "Default" session always exists and is never freed; other sessions belong
// to whoever made them.
//
// The connections made on a session register themselves with it (and leave when they are
// freed); the session does not own them, except that FreeDatabases frees them all. The
// register may be used from several threads at once.
class Session : public Component {
public:
    explicit Session(Component* owner = nullptr);
    // Connections still registered are closed and forget the session.
    ~Session() override;

    std::string_view className() const override { return "TSession"; }

    // The session named "Default".
    static Session& Default();

    const std::string& SessionName() const { return sessionName_; }
    void SetSessionName(std::string name) { sessionName_ = std::move(name); }
    // Switching it on names the session after its current name (or "Session") with "_" and
    // a number no other session of the process was given.
    bool AutoSessionName() const { return autoSessionName_; }
    void SetAutoSessionName(bool automatic);

    const std::string& PrivateDir() const { return privateDir_; }
    void SetPrivateDir(std::string folder) { privateDir_ = std::move(folder); }
    bool KeepConnections() const { return keepConnections_; }
    void SetKeepConnections(bool keep) { keepConnections_ = keep; }

    // Activating runs OnStartup first, each time the session goes from inactive to active.
    bool Active() const { return active_; }
    void SetActive(bool active);
    using StartupEvent = std::function<void(Session& session)>;
    void SetOnStartup(StartupEvent event) { onStartup_ = std::move(event); }

    // A snapshot of the registered connections, in the order they were made.
    std::vector<Connection*> Databases() const;
    // The registered connection of that database name (ignoring case), none when absent.
    Connection* FindDatabase(const std::string& databaseName) const;
    void CloseDatabases();
    // Closes and frees every registered connection.
    void FreeDatabases();

private:
    friend class Connection;
    void Register(Connection* connection);
    void Unregister(Connection* connection);

    std::string sessionName_;
    bool autoSessionName_ = false;
    std::string privateDir_;
    bool keepConnections_ = true;
    bool active_ = false;
    StartupEvent onStartup_;
    mutable std::mutex mutex_;
    std::vector<Connection*> connections_;
};

} // namespace fw::db
