#include "controls/image_reference.h"

#include "controls/control_library.h"
#include "controls/image_library.h"

// The reference is a persistent, not a component, so it listens for the end of the
// components it points into through this small component of its own.
class TILImageReference::Watcher : public fw::Component {
public:
    explicit Watcher(TILImageReference& reference) : reference_(reference) {}

protected:
    void Notification(fw::Component* component, fw::Operation operation) override
    {
        fw::Component::Notification(component, operation);
        if (operation == fw::Operation::Remove) {
            reference_.ComponentFreed(component);
        }
    }

private:
    TILImageReference& reference_;
};

TILImageReference::TILImageReference() : watcher_(std::make_unique<Watcher>(*this)) {}

TILImageReference::~TILImageReference()
{
    // The watcher's own end unhooks it from everything it watched; no event fires now.
    onChange_ = nullptr;
    watcher_.reset();
}

void TILImageReference::Watch(fw::Component* component)
{
    if (component != nullptr) {
        watcher_->FreeNotification(component);
    }
}

void TILImageReference::Unwatch(fw::Component* component)
{
    // The same component may hold the cache and be the image: keep listening while either
    // still points at it.
    if (component != nullptr && component != image_ && component != cacheKeeper_) {
        watcher_->RemoveFreeNotification(component);
    }
}

void TILImageReference::SetCache(fw::Bitmap* bitmap, fw::Component* keeper)
{
    fw::Component* previous = cacheKeeper_;
    cache_ = bitmap;
    cacheKeeper_ = bitmap != nullptr ? keeper : nullptr;
    Watch(cacheKeeper_);
    if (previous != cacheKeeper_) {
        Unwatch(previous);
    }
}

void TILImageReference::DropCache()
{
    SetCache(nullptr, nullptr);
}

void TILImageReference::FireChange()
{
    if (onChange_) {
        onChange_(this);
    }
}

void TILImageReference::ComponentFreed(fw::Component* component)
{
    bool changed = false;
    if (component == cacheKeeper_) {
        cache_ = nullptr;
        cacheKeeper_ = nullptr;
        changed = true;
    }
    if (component == image_) {
        image_ = nullptr;
        changed = true;
    }
    if (changed) {
        FireChange();
    }
}

void TILImageReference::SetImageName(const std::string& name)
{
    Clear();
    imageName_ = name;
    GetImage();
}

void TILImageReference::SetImage(fw::Component* component)
{
    Clear();
    image_ = component;
    Watch(image_);
    GetImage();
}

void TILImageReference::Assign(const fw::Persistent* source)
{
    const auto* reference = dynamic_cast<const TILImageReference*>(source);
    if (reference == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    if (reference == this) {
        return;
    }
    // Straight into the fields: the setters would Clear, and a brush's Clear resets its
    // colour and style, which a copy must keep.
    DropCache();
    fw::Component* oldImage = image_;
    image_ = reference->image_;
    Watch(image_);
    Unwatch(oldImage);
    imageName_ = reference->imageName_;
    GetImage();
    FireChange();
}

fw::Bitmap* TILImageReference::GetImage()
{
    if (cache_ != nullptr) {
        return cache_;
    }
    if (image_ != nullptr) {
        if (auto* holder = dynamic_cast<TILPictureHolder*>(image_)) {
            SetCache(holder->PictureBitmap(), image_);
            FireChange();
            return cache_;
        }
    }
    // An empty name stands for "no image": it is never looked up, so an unnamed bitmap
    // that some source might hold cannot turn up in every unnamed reference.
    if (imageName_.empty()) {
        return nullptr;
    }
    TILImageLibrary* library = ImageLibrary();
    if (library == nullptr) {
        return nullptr;
    }
    TILImageList* keeper = nullptr;
    if (fw::Bitmap* found = library->Lookup(imageName_, &keeper)) {
        SetCache(found, keeper);
        FireChange();
    }
    return cache_;
}

void TILImageReference::Clear()
{
    fw::Component* oldImage = image_;
    image_ = nullptr;
    Unwatch(oldImage);
    imageName_.clear();
    DropCache();
    FireChange();
}
