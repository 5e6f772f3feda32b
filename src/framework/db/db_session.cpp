#include "framework/db/db_session.h"

#include <atomic>

#include "framework/core/strings.h"
#include "framework/db/db_connection.h"

namespace fw::db {

Session::Session(Component* owner) : Component(owner) {}

Session::~Session()
{
    for (Connection* connection : Databases()) {
        connection->Close();
        connection->DetachSession();
    }
}

Session& Session::Default()
{
    static Session* session = [] {
        // Made once and never freed: connections of the host may outlive every other
        // static object, and they refer to their session.
        auto* made = new Session;
        made->SetSessionName("Default");
        return made;
    }();
    return *session;
}

void Session::SetAutoSessionName(bool automatic)
{
    autoSessionName_ = automatic;
    if (automatic) {
        static std::atomic<int> counter{0};
        const std::string base = sessionName_.empty() ? std::string("Session") : sessionName_;
        sessionName_ = base + "_" + std::to_string(++counter);
    }
}

void Session::SetActive(bool active)
{
    if (active && !active_ && onStartup_) {
        onStartup_(*this);
    }
    active_ = active;
}

std::vector<Connection*> Session::Databases() const
{
    const std::lock_guard lock(mutex_);
    return connections_;
}

Connection* Session::FindDatabase(const std::string& databaseName) const
{
    const std::lock_guard lock(mutex_);
    for (Connection* connection : connections_) {
        if (SameText(connection->DatabaseName(), databaseName)) {
            return connection;
        }
    }
    return nullptr;
}

void Session::CloseDatabases()
{
    for (Connection* connection : Databases()) {
        connection->Close();
    }
}

void Session::FreeDatabases()
{
    for (Connection* connection : Databases()) {
        delete connection;
    }
}

void Session::Register(Connection* connection)
{
    const std::lock_guard lock(mutex_);
    connections_.push_back(connection);
}

void Session::Unregister(Connection* connection)
{
    const std::lock_guard lock(mutex_);
    std::erase(connections_, connection);
}

} // namespace fw::db
