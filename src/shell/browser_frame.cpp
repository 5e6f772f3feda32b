#include "shell/browser_frame.h"

#include "controls/bevel_rings.h"
#include "controls/brush_panel.h"
#include "forms/form_kit.h"
#include "framework/core/canvas.h"
#include "framework/core/files.h"
#include "framework/core/strings.h"
#include "framework/gui/std_label.h"
#include "model/pattern_base.h"
#include "shell/browser_items.h"
#include "shell/browser_thumbnails.h"

namespace {

// The picture's panel: a lowered ring around a picture of the largest thumbnail's size.
constexpr int Margin = 4;
constexpr int PictureInset = 3;
constexpr int ImagePanelWidth = TfrmTWBrowserFrame::FrameWidth - 2 * Margin;
constexpr int ImagePanelHeight = ThumbnailMaxHeight + 2 * PictureInset;
constexpr int DataTop = Margin + ImagePanelHeight + Margin;
constexpr int DataHeight = TfrmTWBrowserFrame::FrameHeight - DataTop - Margin;
constexpr int RowHeight = 15;
constexpr int ValueLeft = 44;

TILBrushPanel* NewPanel(fw::Component& owner, fw::WinControl* parent, const char* name)
{
    auto* panel = new TILBrushPanel(&owner);
    panel->SetName(name);
    panel->SetParent(parent);
    panel->SetCaption(std::string());
    return panel;
}

TILBrushPanel* NewBasePanel(fw::Frame& frame)
{
    TILBrushPanel* panel = NewPanel(frame, &frame, "pnlBase");
    panel->SetAlign(fw::Align::Client);
    return panel;
}

TILBrushPanel* NewImagePanel(fw::Frame& frame, TILBrushPanel* base)
{
    TILBrushPanel* panel = NewPanel(frame, base, "pnlImg");
    panel->SetBounds(Margin, Margin, ImagePanelWidth, ImagePanelHeight);
    panel->DrawData().SetBevelOuter(TBevelCut::Lowered);
    return panel;
}

TTWThumbnailImage* NewPicture(fw::Frame& frame, TILBrushPanel* panel)
{
    auto* image = new TTWThumbnailImage(&frame);
    image->SetName("imgPattern");
    image->SetParent(panel);
    image->SetBounds((ImagePanelWidth - ThumbnailMaxWidth) / 2, PictureInset, ThumbnailMaxWidth, ThumbnailMaxHeight);
    return image;
}

TILBrushPanel* NewDataPanel(fw::Frame& frame, TILBrushPanel* base)
{
    TILBrushPanel* panel = NewPanel(frame, base, "pnlData");
    panel->SetBounds(Margin, DataTop, ImagePanelWidth, DataHeight);
    panel->DrawData().SetBevelOuter(TBevelCut::None);
    return panel;
}

int RowTop(int row)
{
    return 1 + row * RowHeight;
}

fw::Label* NewValue(fw::Frame& frame, TILBrushPanel* panel, const char* name, int row)
{
    fw::Label* label = NewFormLabel(frame, panel, name, "-",
                                    FormBounds{ValueLeft, RowTop(row), ImagePanelWidth - ValueLeft - 2, RowHeight - 2});
    // A long file name is cut at the frame's edge rather than widening the label over it.
    label->SetAutoSize(false);
    return label;
}

} // namespace

// --- The picture -----------------------------------------------------------------------------

TTWThumbnailImage::TTWThumbnailImage(fw::Component* owner) : fw::GraphicControl(owner)
{
    SetControlStyle(ControlStyle() | fw::ControlStyleFlag::Opaque);
}

void TTWThumbnailImage::SetPicture(const fw::Bitmap& picture)
{
    picture_ = picture;
    Invalidate();
}

void TTWThumbnailImage::Paint()
{
    fw::Canvas& canvas = Canvas();
    canvas.Brush() = fw::Brush{Color(), fw::BrushStyle::Solid, nullptr};
    canvas.FillRect(ClientRect());
    if (!picture_.Empty()) {
        canvas.Draw((Width() - picture_.Width()) / 2, (Height() - picture_.Height()) / 2, picture_);
    }
}

// --- The frame ---------------------------------------------------------------------------------

TfrmTWBrowserFrame::TfrmTWBrowserFrame(fw::Component* owner)
    : fw::Frame(owner),
      pnlBase(NewBasePanel(*this)),
      pnlImg(NewImagePanel(*this, pnlBase)),
      imgPattern(NewPicture(*this, pnlImg)),
      pnlData(NewDataPanel(*this, pnlBase)),
      lblFileCaption(NewFormLabel(*this, pnlData, "lblFileCaption", "File:", 2, RowTop(0))),
      lblTypeCaption(NewFormLabel(*this, pnlData, "lblTypeCaption", "Type:", 2, RowTop(1))),
      lblCardsCaption(NewFormLabel(*this, pnlData, "lblCardsCaption", "Cards:", 2, RowTop(2))),
      lblFile(NewValue(*this, pnlData, "lblFile", 0)),
      lblType(NewValue(*this, pnlData, "lblType", 1)),
      lblCards(NewValue(*this, pnlData, "lblCards", 2))
{
    // No name of its own: a browser holds one frame per pattern file.
    SetBounds(0, 0, FrameWidth, FrameHeight);
    imgPattern->SetColor(pnlImg->Color());
    imgPattern->SetOnDblClick([this](fw::Object*) {
        if (item_ != nullptr && onOpen_) {
            onOpen_(this);
        }
    });
}

TfrmTWBrowserFrame::~TfrmTWBrowserFrame() = default;

void TfrmTWBrowserFrame::SetItem(const TTWBrowserItem* item)
{
    item_ = item;
    if (item == nullptr) {
        imgPattern->SetPicture(fw::Bitmap());
        lblFile->SetCaption("-");
        lblFile->SetHint(std::string());
        lblType->SetCaption("-");
        lblCards->SetCaption("-");
        return;
    }
    imgPattern->SetPicture(item->Bitmap);
    lblFile->SetCaption(item->FileName);
    SetFormHint(*lblFile, item->FileName.c_str());
    SetFormHint(*imgPattern, item->FileName.c_str());
    lblType->SetCaption(std::string(PatternTypeName(item->Kind)));
    lblCards->SetCaption(fw::IntToStr(item->Cards));
}

std::string TfrmTWBrowserFrame::FilePath() const
{
    if (item_ == nullptr) {
        return {};
    }
    return fw::IncludeTrailingPathDelimiter(folder_) + item_->FileName;
}
