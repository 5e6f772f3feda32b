#include "framework/db/db_alias.h"

#include <map>
#include <mutex>

#include "framework/core/strings.h"

namespace fw::db {

namespace {

struct AliasRegistry {
    std::mutex mutex;
    std::map<std::string, AliasDefinition> aliases; // by upper-case name
};

AliasRegistry& Registry()
{
    static AliasRegistry registry;
    return registry;
}

} // namespace

void RegisterAlias(const std::string& name, AliasDefinition definition)
{
    AliasRegistry& registry = Registry();
    const std::lock_guard lock(registry.mutex);
    registry.aliases[UpperCase(name)] = std::move(definition);
}

void RemoveAlias(const std::string& name)
{
    AliasRegistry& registry = Registry();
    const std::lock_guard lock(registry.mutex);
    registry.aliases.erase(UpperCase(name));
}

std::optional<AliasDefinition> FindAlias(const std::string& name)
{
    AliasRegistry& registry = Registry();
    const std::lock_guard lock(registry.mutex);
    const auto found = registry.aliases.find(UpperCase(name));
    if (found == registry.aliases.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace fw::db
