#include "shell/tool_actions.h"

TTWToolAction* TTWToolActionList::Find(std::int32_t id) const
{
    for (int i = 0; i < Count(); ++i) {
        TTWToolAction* action = Items(i);
        if (action->ID == id) {
            return action;
        }
    }
    return nullptr;
}

void TTWToolActionList::AddRemoveAction(std::int32_t id, bool on)
{
    TTWToolAction* existing = Find(id);
    if (on) {
        if (existing == nullptr) {
            Add(new TTWToolAction(id, true, false));
        }
    } else if (existing != nullptr) {
        Remove(existing);
    }
}

void TTWToolActionList::EnableActions(std::initializer_list<std::int32_t> ids)
{
    for (const std::int32_t id : ids) {
        AddRemoveAction(id, true);
    }
}

void TTWToolActionList::DisableActions(std::initializer_list<std::int32_t> ids)
{
    for (const std::int32_t id : ids) {
        AddRemoveAction(id, false);
    }
}

TTWToolAction* TTWToolActionList::SetAction(std::int32_t id, bool enabled, bool down)
{
    TTWToolAction* action = Find(id);
    if (action == nullptr) {
        action = new TTWToolAction(id, enabled, down);
        Add(action);
    }
    action->Enabled = enabled;
    action->Down = down;
    return action;
}
