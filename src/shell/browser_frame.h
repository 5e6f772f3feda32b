#pragma once

#include <string>
#include <string_view>

#include "framework/core/bitmap.h"
#include "framework/gui/control.h"
#include "framework/gui/form.h"

class TILBrushPanel;
class TTWBrowserItem;

namespace fw {
class Label;
}

// The picture of one thumbnail, centred on its panel's colour.
class TTWThumbnailImage : public fw::GraphicControl {
public:
    explicit TTWThumbnailImage(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TTWThumbnailImage"; }

    const fw::Bitmap& Picture() const { return picture_; }
    // Takes a copy and repaints; an empty picture shows the control's colour only.
    void SetPicture(const fw::Bitmap& picture);

protected:
    void Paint() override;

private:
    fw::Bitmap picture_;
};

// One pattern file of the browser: its thumbnail with the file name, kind and card count
// beneath. A double click on the picture opens the file.
class TfrmTWBrowserFrame : public fw::Frame {
public:
    static constexpr int FrameWidth = 164;
    static constexpr int FrameHeight = 152;

    explicit TfrmTWBrowserFrame(fw::Component* owner = nullptr);
    ~TfrmTWBrowserFrame() override;

    std::string_view className() const override { return "TfrmTWBrowserFrame"; }

    TILBrushPanel* const pnlBase;
    TILBrushPanel* const pnlImg;
    TTWThumbnailImage* const imgPattern;
    TILBrushPanel* const pnlData;
    fw::Label* const lblFileCaption;
    fw::Label* const lblTypeCaption;
    fw::Label* const lblCardsCaption;
    fw::Label* const lblFile;
    fw::Label* const lblType;
    fw::Label* const lblCards;

    // The folder the item's file lies in.
    const std::string& Folder() const { return folder_; }
    void SetFolder(std::string folder) { folder_ = std::move(folder); }
    // Shows the item (not owned; the browser's list keeps it while the frame shows it): its
    // picture, its file name (also as the hint), its kind's short name and its cards. None
    // shows the panel's colour and "-" in every field.
    const TTWBrowserItem* Item() const { return item_; }
    void SetItem(const TTWBrowserItem* item);
    // Folder and file name of the item; "" without one.
    std::string FilePath() const;

    // What a double click on the picture does (the browser opens the file).
    void SetOnOpen(fw::NotifyEvent handler) { onOpen_ = std::move(handler); }

private:
    std::string folder_;
    const TTWBrowserItem* item_ = nullptr;
    fw::NotifyEvent onOpen_;
};
