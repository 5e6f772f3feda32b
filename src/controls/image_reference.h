#pragma once

#include <memory>
#include <string>

#include "controls/notify_event.h"
#include "framework/core/bitmap.h"
#include "framework/core/object.h"

// What a picture component (an image control on a form) offers to an image reference: the
// bitmap of its picture. The component that a reference shows implements this beside
// fw::Component.
class TILPictureHolder {
public:
    virtual ~TILPictureHolder() = default;
    // The picture as a bitmap; never none (an empty picture gives an empty bitmap).
    virtual fw::Bitmap* PictureBitmap() = 0;
};

// A reference to one image: by name from the shared image library, or the picture of a
// component. The bitmap is looked up at most once and cached, but never owned: the
// reference hears when the library or the component that holds it goes, and forgets it.
class TILImageReference : public fw::Persistent {
public:
    TILImageReference();
    ~TILImageReference() override;

    std::string_view className() const override { return "TILImageReference"; }
    fw::Object* NewInstance() const override { return new TILImageReference; }

    const std::string& ImageName() const { return imageName_; }
    // Clear, then the new name, resolved at once.
    void SetImageName(const std::string& name);

    // The picture component shown instead of a named image, none when unset.
    fw::Component* Image() const { return image_; }
    // Clear, then the new component, resolved at once. A component that is no
    // TILPictureHolder is kept but yields no image.
    void SetImage(fw::Component* component);

    const TILNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TILNotifyEvent handler) { onChange_ = std::move(handler); }

    // From another reference: its name and component, resolved, then OnChange. Any other
    // source raises the standard assign error.
    void Assign(const fw::Persistent* source) override;

    // The bitmap, resolved now when not yet cached; none when nothing supplies it.
    virtual fw::Bitmap* GetImage();
    // Empties the component, the name and the cache, then fires OnChange.
    virtual void Clear();

    // The cached bitmap without resolving.
    fw::Bitmap* CachedImage() const { return cache_; }

protected:
    // Caches a bitmap that belongs to keeper (none for a bitmap this object owns or whose
    // owner it cannot watch); the reference forgets it when keeper goes.
    void SetCache(fw::Bitmap* bitmap, fw::Component* keeper);
    fw::Component* CacheKeeper() const { return cacheKeeper_; }
    void DropCache();
    void FireChange();

private:
    class Watcher;
    friend class Watcher;

    // Told by the watcher that a component it watched is being freed.
    void ComponentFreed(fw::Component* component);
    void Watch(fw::Component* component);
    void Unwatch(fw::Component* component);

    std::string imageName_;
    fw::Bitmap* cache_ = nullptr;
    fw::Component* cacheKeeper_ = nullptr;
    fw::Component* image_ = nullptr;
    TILNotifyEvent onChange_;
    std::unique_ptr<Watcher> watcher_;
};
