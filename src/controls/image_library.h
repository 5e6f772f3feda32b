#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/image_list.h"

class TILImageLibrary;

// A component that brings named bitmaps of its own to an image library: the library asks
// every registered source before its own list. A source leaves its library when freed.
class TILImageSource : public fw::Component {
public:
    explicit TILImageSource(fw::Component* owner = nullptr);
    ~TILImageSource() override;

    std::string_view className() const override { return "TILImageSource"; }

    TILImageList& Images() { return images_; }
    const TILImageList& Images() const { return images_; }

    // The library this source is registered with, none when it is not.
    TILImageLibrary* Library() const { return library_; }
    // Leaves the current library and registers with the new one (none: with no library).
    void SetLibrary(TILImageLibrary* library);

protected:
    void Notification(fw::Component* component, fw::Operation operation) override;

private:
    friend class TILImageLibrary;

    TILImageList images_;
    TILImageLibrary* library_ = nullptr;
};

// The store of named bitmaps that the controls share. A name asked for the first time is
// loaded once (from the program's named images) and kept until the library goes, so every
// control that shows, say, a scroll-bar arrow paints the same bitmap.
class TILImageLibrary : public TILImageList {
public:
    // Supplies the picture for a name before the named images are tried; none lets the
    // named images answer.
    using LoadImageEvent = std::function<std::optional<fw::Bitmap>(fw::Object* sender, const std::string& name)>;

    TILImageLibrary() = default;
    // Detaches every source (the newest first) before the bitmaps go.
    ~TILImageLibrary() override;

    std::string_view className() const override { return "TILImageLibrary"; }
    fw::Object* NewInstance() const override { return new TILImageLibrary; }

    // Registering a source twice keeps it once; a source registered elsewhere moves here.
    void RegisterSource(TILImageSource* source);
    void UnregisterSource(TILImageSource* source);
    int SourceCount() const { return static_cast<int>(sources_.size()); }
    TILImageSource* Sources(int index) const;

    const LoadImageEvent& OnLoadImage() const { return onLoadImage_; }
    void SetOnLoadImage(LoadImageEvent handler) { onLoadImage_ = std::move(handler); }

    // The bitmap of that name: from the first registered source that has it, else from the
    // library's own list, else newly loaded into the list. A name that nothing can supply
    // gives none, silently, and is tried again at the next lookup. keeper, when given,
    // receives the list that holds the bitmap found (a source's list or this library), so
    // that whoever keeps the pointer can watch for that list's end.
    TILImageLibraryBitmap* Lookup(const std::string& name, TILImageList** keeper = nullptr);

protected:
    void Notification(fw::Component* component, fw::Operation operation) override;

private:
    // Clears the source's link without touching the library's list of sources.
    void Detach(TILImageSource* source);

    std::vector<TILImageSource*> sources_;
    LoadImageEvent onLoadImage_;
};
