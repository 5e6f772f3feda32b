#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fw::db {

enum class Engine { Sqlite, Postgres };

// Where an alias leads. Connections name an alias; the program (or a test) registers what
// it stands for, so that the code that opens databases never holds file names or hosts.
struct AliasDefinition {
    Engine Kind = Engine::Sqlite;
    // SQLite: the database file; PostgreSQL: the database name.
    std::string Database;
    // PostgreSQL only; empty host and port 0 leave them to libpq's defaults.
    std::string Host;
    int Port = 0;
    // Used when the connection's parameters name no user and password.
    std::string UserName;
    std::string Password;
    // SQLite: how long a statement waits for another connection's lock before it fails.
    int BusyTimeoutMs = 5000;
    // Run on every new connection after the engine's own set-up, one statement each
    // ("SET search_path TO ...", "PRAGMA synchronous = NORMAL").
    std::vector<std::string> StartupStatements;
};

// Alias names are compared without regard to case. Registering a name again replaces it.
// Safe to call from any thread.
void RegisterAlias(const std::string& name, AliasDefinition definition);
void RemoveAlias(const std::string& name);
std::optional<AliasDefinition> FindAlias(const std::string& name);

} // namespace fw::db
