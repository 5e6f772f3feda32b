#pragma once

#include <cstdint>
#include <memory>

#include "controls/notify_event.h"
#include "controls/position.h"
#include "framework/core/bitmap.h"

// Where the images of expand buttons and sort marks come from: nowhere (the tree draws its
// own button, no sort mark), the module's shared images, or the set's own bitmaps.
enum TILTreeButtonIconKind : std::uint8_t { iltBtnIconNone = 0, iltBtnIconDefault, iltBtnIconOverride };

// The button forms, which are also the image indexes of the sets.
inline constexpr int iltButtonFormMinus = 0;
inline constexpr int iltButtonFormPlus = 1;
inline constexpr int iltButtonFormWait = 2;

// The transparent colour meaning "not set".
inline constexpr fw::Color iltColourNotSet = 0x1FFFFFFF;

// A set of images with a kind and a transparent colour. Own bitmaps exist only while the
// kind is iltBtnIconOverride; setting an image copies it into them only then. Every change
// of kind or image asks the owner to repaint: a control owner that is not being destroyed is
// invalidated.
class TILTreeButtonIconBase : public fw::Persistent {
public:
    explicit TILTreeButtonIconBase(fw::Object* owner = nullptr);
    ~TILTreeButtonIconBase() override;

    std::string_view className() const override { return "TILTreeButtonIconBase"; }

    fw::Object* Owner() const { return owner_; }
    void SetOwner(fw::Object* owner) { owner_ = owner; }

    TILTreeButtonIconKind Kind() const { return kind_; }
    // Stores the kind, makes the own bitmaps for iltBtnIconOverride and frees them for
    // any other kind, then asks for a repaint.
    void SetKind(TILTreeButtonIconKind kind);
    fw::Color TransparentColour() const { return transparentColour_; }
    void SetTransparentColour(fw::Color colour);

    // The own bitmap for an index: the second for 0, the first for 1, none otherwise.
    virtual fw::Bitmap* GetImage(int index) const;
    // Kind, images and transparent colour.
    void Assign(const fw::Persistent* source) override;

    // The picture a painter uses for the index: the module's shared image with kind
    // iltBtnIconDefault, the own one with iltBtnIconOverride (none when empty), none with
    // iltBtnIconNone.
    const fw::Bitmap* EffectiveImage(int index) const;
    // The colour drawn transparent with that picture: the shared images' magenta key, or
    // the set's own TransparentColour.
    fw::Color EffectiveTransparentColour() const;

    // Called after every change (for owners that are not controls, such as a column).
    const TILNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TILNotifyEvent handler) { onChange_ = std::move(handler); }

protected:
    virtual void CreateImages();
    virtual void FreeImages();
    // The name of the shared image standing for the index, empty when none.
    virtual std::string_view SharedImageName(int index) const = 0;
    // Copies the picture into the own bitmap (only with kind iltBtnIconOverride); a null
    // picture empties it.
    void SetOwnImage(std::unique_ptr<fw::Bitmap>& own, const fw::Bitmap* picture);
    void Changed();

    std::unique_ptr<fw::Bitmap> first_;
    std::unique_ptr<fw::Bitmap> second_;

private:
    fw::Object* owner_;
    TILTreeButtonIconKind kind_ = iltBtnIconDefault;
    fw::Color transparentColour_ = iltColourNotSet;
    TILNotifyEvent onChange_;
};

// The images of the expand buttons: plus, minus and the wait form shown while a node
// expands.
class TILTreeButtonIcons : public TILTreeButtonIconBase {
public:
    explicit TILTreeButtonIcons(fw::Object* owner = nullptr);
    ~TILTreeButtonIcons() override;

    std::string_view className() const override { return "TILTreeButtonIcons"; }
    fw::Object* NewInstance() const override { return new TILTreeButtonIcons; }

    const fw::Bitmap* ImgPlus() const { return first_.get(); }
    void SetImgPlus(const fw::Bitmap* picture) { SetOwnImage(first_, picture); }
    const fw::Bitmap* ImgMinus() const { return second_.get(); }
    void SetImgMinus(const fw::Bitmap* picture) { SetOwnImage(second_, picture); }
    const fw::Bitmap* ImgWait() const { return wait_.get(); }
    void SetImgWait(const fw::Bitmap* picture) { SetOwnImage(wait_, picture); }

    // Also the wait bitmap for index 2.
    fw::Bitmap* GetImage(int index) const override;
    // Also the wait image when the source is a button set.
    void Assign(const fw::Persistent* source) override;

protected:
    void CreateImages() override;
    void FreeImages() override;
    std::string_view SharedImageName(int index) const override;

private:
    std::unique_ptr<fw::Bitmap> wait_;
};

// The marks a sorted column shows in its first heading cell, and where they sit.
class TILTreeColumnSortIcons : public TILTreeButtonIconBase {
public:
    explicit TILTreeColumnSortIcons(fw::Object* owner = nullptr);
    ~TILTreeColumnSortIcons() override;

    std::string_view className() const override { return "TILTreeColumnSortIcons"; }
    fw::Object* NewInstance() const override { return new TILTreeColumnSortIcons; }

    // Right-aligned with no margins when new.
    TILImagePosition& Position() { return position_; }
    const TILImagePosition& Position() const { return position_; }

    const fw::Bitmap* ImgSortAscend() const { return first_.get(); }
    void SetImgSortAscend(const fw::Bitmap* picture) { SetOwnImage(first_, picture); }
    const fw::Bitmap* ImgSortDescend() const { return second_.get(); }
    void SetImgSortDescend(const fw::Bitmap* picture) { SetOwnImage(second_, picture); }

    // The picture of the ascending or descending mark, as EffectiveImage chooses.
    const fw::Bitmap* SortImage(bool ascending) const { return EffectiveImage(ascending ? 1 : 0); }

    // Also the position when the source is a sort-icon set.
    void Assign(const fw::Persistent* source) override;

protected:
    std::string_view SharedImageName(int index) const override;

private:
    TILImagePosition position_;
};
