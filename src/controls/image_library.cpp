#include "controls/image_library.h"

#include <algorithm>
#include <exception>
#include <memory>

#include "framework/core/named_images.h"

TILImageSource::TILImageSource(fw::Component* owner) : fw::Component(owner) {}

TILImageSource::~TILImageSource()
{
    SetLibrary(nullptr);
}

void TILImageSource::SetLibrary(TILImageLibrary* library)
{
    if (library == library_) {
        return;
    }
    if (library_ != nullptr) {
        library_->UnregisterSource(this);
    }
    if (library != nullptr) {
        library->RegisterSource(this);
    }
}

void TILImageSource::Notification(fw::Component* component, fw::Operation operation)
{
    fw::Component::Notification(component, operation);
    if (operation == fw::Operation::Remove && component == library_) {
        library_ = nullptr;
    }
}

TILImageLibrary::~TILImageLibrary()
{
    while (!sources_.empty()) {
        TILImageSource* last = sources_.back();
        sources_.pop_back();
        Detach(last);
    }
    // The bitmaps go with the list; whoever cached one of them hears of it through the
    // free notification of the component.
}

void TILImageLibrary::Detach(TILImageSource* source)
{
    if (source->library_ == this) {
        source->library_ = nullptr;
    }
    RemoveFreeNotification(source);
}

void TILImageLibrary::RegisterSource(TILImageSource* source)
{
    if (source == nullptr || std::find(sources_.begin(), sources_.end(), source) != sources_.end()) {
        return;
    }
    if (source->library_ != nullptr) {
        source->library_->UnregisterSource(source);
    }
    sources_.push_back(source);
    source->library_ = this;
    FreeNotification(source);
}

void TILImageLibrary::UnregisterSource(TILImageSource* source)
{
    auto found = std::find(sources_.begin(), sources_.end(), source);
    if (found == sources_.end()) {
        return;
    }
    sources_.erase(found);
    Detach(source);
}

TILImageSource* TILImageLibrary::Sources(int index) const
{
    if (index < 0 || index >= SourceCount()) {
        return nullptr;
    }
    return sources_[static_cast<std::size_t>(index)];
}

void TILImageLibrary::Notification(fw::Component* component, fw::Operation operation)
{
    TILImageList::Notification(component, operation);
    if (operation != fw::Operation::Remove) {
        return;
    }
    auto found = std::find(sources_.begin(), sources_.end(), component);
    if (found != sources_.end()) {
        sources_.erase(found);
    }
}

TILImageLibraryBitmap* TILImageLibrary::Lookup(const std::string& name, TILImageList** keeper)
{
    TILImageList* holder = this;
    if (keeper == nullptr) {
        keeper = &holder;
    }
    for (TILImageSource* source : sources_) {
        if (TILImageLibraryBitmap* found = source->Images().Find(name)) {
            *keeper = &source->Images();
            return found;
        }
    }
    *keeper = this;
    if (TILImageLibraryBitmap* found = Find(name)) {
        return found;
    }

    // A name nobody can supply is normal (the scroll bars ask for images that do not
    // exist and fall back to others), so every failure here means "no image", and the
    // half-made bitmap goes.
    try {
        auto bitmap = std::make_unique<TILImageLibraryBitmap>();
        std::optional<fw::Bitmap> supplied;
        if (onLoadImage_) {
            supplied = onLoadImage_(this, name);
        }
        if (supplied) {
            bitmap->Assign(*supplied);
        } else {
            bitmap->Assign(fw::LoadNamedImage(name));
        }
        bitmap->SetName(name);
        TILImageLibraryBitmap* added = bitmap.get();
        Add(std::move(bitmap));
        return added;
    } catch (const std::exception&) {
        return nullptr;
    }
}
