#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// The root of the object model. Every class that can name itself in an error record or
// be copied "with its own class" answers className() and, when it can be made empty,
// NewInstance().
class Object {
public:
    Object() = default;
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    virtual std::string_view className() const { return "TObject"; }

    // A new, default-constructed object of this object's own class: the factory behind
    // deep copies of lists. Classes that cannot be made without arguments keep the
    // default, which raises an EConvertError naming the class.
    virtual Object* NewInstance() const;
};

// Copies state between objects of related classes. Assign handles the sources a class
// knows and otherwise ends in the source's AssignTo, which raises the standard error
// "Cannot assign a <source class> to a <target class>".
class Persistent : public Object {
public:
    std::string_view className() const override { return "TPersistent"; }

    virtual void Assign(const Persistent* source);

protected:
    virtual void AssignTo(Persistent* destination) const;
    // The standard refusal for a source that cannot be copied into the destination.
    [[noreturn]] static void RaiseAssignError(const Persistent* source, const Persistent* destination);
};

[[noreturn]] void RaiseCannotCreate(std::string_view className);

// Deep copy through the object's own class: NewInstance, then Assign.
template <class T>
std::unique_ptr<T> CloneOf(const T& source)
{
    std::unique_ptr<Object> made(source.NewInstance());
    auto* typed = dynamic_cast<T*>(made.get());
    if (typed == nullptr) {
        RaiseCannotCreate(source.className());
    }
    made.release();
    std::unique_ptr<T> copy(typed);
    copy->Assign(&source);
    return copy;
}

enum class Operation { Insert, Remove };

// An object with an owner that frees it and a name. An owner frees its components in the
// reverse order of their creation; a component freed by anyone else leaves its owner's
// list first. Components told of each other's end through FreeNotification are sent
// Notification(other, Remove) before the other goes.
class Component : public Persistent {
public:
    explicit Component(Component* owner = nullptr);
    ~Component() override;

    std::string_view className() const override { return "TComponent"; }

    Component* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    // Names are unique among the components of one owner; an empty name is always allowed.
    virtual void SetName(const std::string& name);

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    Component* Components(int index) const;
    Component* FindComponent(std::string_view name) const;

    // Takes ownership of a component made without an owner, or moves one between owners.
    void InsertComponent(Component* component);
    void RemoveComponent(Component* component);

    // Ask to be told, through Notification, when the other component is freed.
    void FreeNotification(Component* other);
    void RemoveFreeNotification(Component* other);

    bool Destroying() const { return destroying_; }

    // The sender text of error records: the class name, with "[Name]" when named.
    std::string SenderText() const;

protected:
    virtual void Notification(Component* component, Operation operation);
    // Frees every owned component, the newest first.
    void DestroyComponents();

private:
    Component* owner_ = nullptr;
    std::string name_;
    std::vector<Component*> components_;
    std::vector<Component*> notified_;
    bool destroying_ = false;
};

// The text that names a sender in error records: the class name, with "[Name]" for a
// component with a non-empty name; empty for none.
std::string SenderName(const Object* sender);

} // namespace fw
