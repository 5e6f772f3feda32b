#include "framework/core/object.h"

#include <algorithm>

#include "framework/core/exceptions.h"

namespace fw {

Object* Object::NewInstance() const
{
    RaiseCannotCreate(className());
}

void RaiseCannotCreate(std::string_view className)
{
    throw EConvertError("Cannot create a new " + std::string(className) + ".");
}

void Persistent::Assign(const Persistent* source)
{
    if (source != nullptr) {
        source->AssignTo(this);
        return;
    }
    RaiseAssignError(source, this);
}

void Persistent::AssignTo(Persistent* destination) const
{
    RaiseAssignError(this, destination);
}

void Persistent::RaiseAssignError(const Persistent* source, const Persistent* destination)
{
    const std::string from = source != nullptr ? std::string(source->className()) : "nil";
    const std::string to = destination != nullptr ? std::string(destination->className()) : "nil";
    throw EConvertError("Cannot assign a " + from + " to a " + to);
}

Component::Component(Component* owner)
{
    if (owner != nullptr) {
        owner->InsertComponent(this);
    }
}

Component::~Component()
{
    destroying_ = true;
    // Tell everyone who asked, then forget them, so that nobody keeps a dangling pointer.
    const std::vector<Component*> watchers = notified_;
    notified_.clear();
    for (Component* watcher : watchers) {
        watcher->Notification(this, Operation::Remove);
        auto& back = watcher->notified_;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
    }
    DestroyComponents();
    if (owner_ != nullptr) {
        owner_->RemoveComponent(this);
    }
}

void Component::DestroyComponents()
{
    while (!components_.empty()) {
        Component* last = components_.back();
        components_.pop_back();
        last->owner_ = nullptr;
        delete last;
    }
}

void Component::SetName(const std::string& name)
{
    if (name == name_) {
        return;
    }
    if (!name.empty() && owner_ != nullptr) {
        Component* other = owner_->FindComponent(name);
        if (other != nullptr && other != this) {
            throw EConvertError("A component named " + name + " already exists");
        }
    }
    name_ = name;
}

Component* Component::Components(int index) const
{
    if (index < 0 || index >= ComponentCount()) {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return components_[static_cast<size_t>(index)];
}

Component* Component::FindComponent(std::string_view name) const
{
    if (name.empty()) {
        return nullptr;
    }
    for (Component* component : components_) {
        const std::string& own = component->Name();
        if (own.size() == name.size()
            && std::equal(own.begin(), own.end(), name.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
               })) {
            return component;
        }
    }
    return nullptr;
}

void Component::InsertComponent(Component* component)
{
    if (component->owner_ == this) {
        return;
    }
    if (component->owner_ != nullptr) {
        component->owner_->RemoveComponent(component);
    }
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, Operation::Insert);
}

void Component::RemoveComponent(Component* component)
{
    auto found = std::find(components_.begin(), components_.end(), component);
    if (found == components_.end()) {
        return;
    }
    if (!destroying_) {
        Notification(component, Operation::Remove);
    }
    components_.erase(found);
    component->owner_ = nullptr;
}

void Component::FreeNotification(Component* other)
{
    if (other == nullptr || other == this) {
        return;
    }
    if (std::find(other->notified_.begin(), other->notified_.end(), this) == other->notified_.end()) {
        other->notified_.push_back(this);
    }
    if (std::find(notified_.begin(), notified_.end(), other) == notified_.end()) {
        notified_.push_back(other);
    }
}

void Component::RemoveFreeNotification(Component* other)
{
    if (other == nullptr) {
        return;
    }
    auto& theirs = other->notified_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    notified_.erase(std::remove(notified_.begin(), notified_.end(), other), notified_.end());
}

void Component::Notification(Component* /*component*/, Operation /*operation*/) {}

std::string Component::SenderText() const
{
    std::string text(className());
    if (!name_.empty()) {
        text += "[" + name_ + "]";
    }
    return text;
}

std::string SenderName(const Object* sender)
{
    if (sender == nullptr) {
        return {};
    }
    if (auto* component = dynamic_cast<const Component*>(sender)) {
        return component->SenderText();
    }
    return std::string(sender->className());
}

} // namespace fw
