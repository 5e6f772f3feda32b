#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "controls/il_brush.h"
#include "controls/image_reference.h"
#include "controls/notify_event.h"
#include "framework/core/system_colours.h"

class TILButton;

// The five pictures of a button as the property bundles number them.
enum class TILButtonImage : std::uint8_t { Active = 0, Disabled = 1, Down = 2, Inactive = 3, Repeat = 4 };
inline constexpr int TILButtonImageCount = 5;

// How another control describes one of its image buttons (a scroll arrow, a slider): the
// accessors every such bundle offers, and the copying that works through them.
//
// Brush and image references are handed out from const bundles too: resolving a
// reference only fills its cache, and copying a bundle onto a button resolves them.
class TILButtonCustomPropertiesBase : public fw::Persistent {
public:
    std::string_view className() const override { return "TILButtonCustomPropertiesBase"; }

    virtual TILBrush& Brush() const = 0;
    virtual void SetBrush(const TILBrush& brush) = 0;
    virtual bool Framed() const = 0;
    virtual void SetFramed(bool framed) = 0;
    virtual std::string Hint() const = 0;
    virtual void SetHint(const std::string& hint) = 0;
    virtual TILImageReference& Image(TILButtonImage index) const = 0;
    virtual void SetImage(TILButtonImage index, const TILImageReference& image) = 0;
    virtual bool ReactTransparent() const = 0;
    virtual void SetReactTransparent(bool react) = 0;
    virtual fw::Color Transparent() const = 0;
    virtual void SetTransparent(fw::Color colour) = 0;
    virtual bool KeepDown() const = 0;
    virtual void SetKeepDown(bool keepDown) = 0;

    // From another bundle, through the accessors: brush, Framed, Hint, the five images,
    // ReactTransparent, Transparent, KeepDown.
    void Assign(const fw::Persistent* source) override;

protected:
    // Onto a TILButton: its brush, Framed, Hint, its five pictures from the images the
    // references resolve to (empty where none does), ReactTransparent, Transparent and
    // KeepDown.
    void AssignTo(fw::Persistent* destination) const override;
};

// A bundle that holds its values itself and reports every change through OnChange: the
// brush (button face), Framed, Hint, the five image references, ReactTransparent (true),
// Transparent (none) and KeepDown. A change of the brush or of a reference counts too.
class TILButtonLocalPropertiesBase : public TILButtonCustomPropertiesBase {
public:
    TILButtonLocalPropertiesBase();
    ~TILButtonLocalPropertiesBase() override;

    std::string_view className() const override { return "TILButtonLocalPropertiesBase"; }
    fw::Object* NewInstance() const override { return new TILButtonLocalPropertiesBase; }

    TILBrush& Brush() const override { return *brush_; }
    void SetBrush(const TILBrush& brush) override;
    bool Framed() const override { return framed_; }
    void SetFramed(bool framed) override;
    std::string Hint() const override { return hint_; }
    void SetHint(const std::string& hint) override;
    TILImageReference& Image(TILButtonImage index) const override;
    void SetImage(TILButtonImage index, const TILImageReference& image) override;
    bool ReactTransparent() const override { return reactTransparent_; }
    void SetReactTransparent(bool react) override;
    fw::Color Transparent() const override { return transparent_; }
    void SetTransparent(fw::Color colour) override;
    bool KeepDown() const override { return keepDown_; }
    void SetKeepDown(bool keepDown) override;

    TILImageReference& ImageActive() const { return Image(TILButtonImage::Active); }
    TILImageReference& ImageDisabled() const { return Image(TILButtonImage::Disabled); }
    TILImageReference& ImageDown() const { return Image(TILButtonImage::Down); }
    TILImageReference& ImageInactive() const { return Image(TILButtonImage::Inactive); }
    TILImageReference& ImageRepeat() const { return Image(TILButtonImage::Repeat); }

    const TILNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TILNotifyEvent handler) { onChange_ = std::move(handler); }

protected:
    // Fires OnChange.
    virtual void Changed();

private:
    // The brush or a reference changed: Changed, unless a setter copying it reports later.
    void PartChanged();

    std::unique_ptr<TILBrush> brush_;
    bool framed_ = true;
    std::string hint_;
    std::array<std::unique_ptr<TILImageReference>, TILButtonImageCount> images_;
    bool reactTransparent_ = true;
    fw::Color transparent_ = fw::clNone;
    bool keepDown_ = false;
    int copying_ = 0;
    TILNotifyEvent onChange_;
};

// The bundle with which a control describes its arrow buttons.
class TILButtonLocalProperties : public TILButtonLocalPropertiesBase {
public:
    TILButtonLocalProperties() = default;

    std::string_view className() const override { return "TILButtonLocalProperties"; }
    fw::Object* NewInstance() const override { return new TILButtonLocalProperties; }
};

// A shared appearance for the buttons of scroll bars: brush, Framed, the five image
// references and the transparent colour (magenta). Copies go between records and to and
// from the bundles above (only these values; a bundle's hint, ReactTransparent and
// KeepDown stay as they are). Every change fires OnChange.
class TILButtonCustomPropertiesRecord : public fw::Persistent {
public:
    TILButtonCustomPropertiesRecord();
    ~TILButtonCustomPropertiesRecord() override;

    std::string_view className() const override { return "TILButtonCustomPropertiesRecord"; }
    fw::Object* NewInstance() const override { return new TILButtonCustomPropertiesRecord; }

    TILBrush& Brush() const { return *brush_; }
    void SetBrush(const TILBrush& brush);
    bool Framed() const { return framed_; }
    void SetFramed(bool framed);
    TILImageReference& Image(TILButtonImage index) const;
    void SetImage(TILButtonImage index, const TILImageReference& image);
    TILImageReference& ImageActive() const { return Image(TILButtonImage::Active); }
    TILImageReference& ImageDisabled() const { return Image(TILButtonImage::Disabled); }
    TILImageReference& ImageDown() const { return Image(TILButtonImage::Down); }
    TILImageReference& ImageInactive() const { return Image(TILButtonImage::Inactive); }
    TILImageReference& ImageRepeat() const { return Image(TILButtonImage::Repeat); }
    fw::Color Transparent() const { return transparent_; }
    void SetTransparent(fw::Color colour);

    const TILNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TILNotifyEvent handler) { onChange_ = std::move(handler); }

    // From another record or from a bundle.
    void Assign(const fw::Persistent* source) override;

protected:
    // Onto another record or a bundle.
    void AssignTo(fw::Persistent* destination) const override;

private:
    void Changed();
    void PartChanged();

    std::unique_ptr<TILBrush> brush_;
    bool framed_ = true;
    std::array<std::unique_ptr<TILImageReference>, TILButtonImageCount> images_;
    fw::Color transparent_ = 0x00FF00FF;
    int copying_ = 0;
    TILNotifyEvent onChange_;
};
