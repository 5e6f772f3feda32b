// The 3/1 broken twill editor window: the double-face window on a staggered grid with the
// long-float layer (its drawing, its mouse editing, clearing and realigning it with the
// cells), the background twill, and the twill design in and out.

#include "editors/twill_editor.h"

#include <utility>

#include "controls/brush_panel.h"
#include "controls/radio_button.h"
#include "editors/block_frame.h"
#include "editors/card_setup_card.h"
#include "editors/card_setup_row.h"
#include "foundation/generic_exception.h"
#include "framework/core/canvas.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/twill_block_design.h"
#include "model/twill_pattern.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/tool_actions.h"

namespace {

constexpr int NewDesignWidth = 8;
constexpr int NewDesignLength = 12;
constexpr int GlyphSize = 16;
constexpr int ButtonSize = 23;
// The marks: two hollow red rectangles this far inside the cell.
constexpr fw::Color LongFloatColour = 0x0000FF;
constexpr int OuterMarkInset = 2;
constexpr int InnerMarkInset = 3;
constexpr const char* ClearLongFloatsText = "Clear all long float markers?";
constexpr const char* NotATwillText = "Unable to display pattern.\r\nThe pattern provided is not a 3/1 broken twill.";
constexpr const char* NotATwillTargetText =
    "Unable to generate pattern.\r\nThe instance provided is not a 3/1 broken twill pattern object.";
// The two toggles are independent buttons, each its own group.
constexpr int LongFloatModeGroup = 61;
constexpr int MarkLongFloatsGroup = 62;

// Row 0 of an odd column lies below the staggered grid's start: no cell is woven there.
bool OutsideStaggeredStart(int x, int y)
{
    return y == 0 && x % 2 != 0;
}

void Outline(fw::Bitmap& bitmap, const fw::Rect& rect, fw::Color colour)
{
    bitmap.FillRect(fw::Rect{rect.Left, rect.Top, rect.Right, rect.Top + 1}, colour);
    bitmap.FillRect(fw::Rect{rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, colour);
    bitmap.FillRect(fw::Rect{rect.Left, rect.Top, rect.Left + 1, rect.Bottom}, colour);
    bitmap.FillRect(fw::Rect{rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, colour);
}

enum class LongFloatGlyph { Set, Mark, Clear };

// A cell with the long-float mark on a see-through ground (the bottom-left pixel's colour):
// with a pen stroke for editing the marks, alone for showing them, crossed out for clearing.
fw::Bitmap MakeGlyph(LongFloatGlyph kind)
{
    constexpr fw::Color ground = 0xFF00FF;
    fw::Bitmap glyph(GlyphSize, GlyphSize);
    glyph.FillRect(glyph.Bounds(), ground);
    glyph.FillRect(fw::Rect{1, 1, 15, 15}, 0xC0C0C0);
    Outline(glyph, fw::Rect{1, 1, 15, 15}, 0x000000);
    Outline(glyph, fw::Rect{3, 3, 13, 13}, LongFloatColour);
    Outline(glyph, fw::Rect{4, 4, 12, 12}, LongFloatColour);
    if (kind == LongFloatGlyph::Set) {
        for (int i = 0; i < 6; ++i) {
            glyph.SetPixel(9 + i / 2, 9 - i, 0x000000);
            glyph.SetPixel(10 + i / 2, 9 - i, 0x000000);
        }
    } else if (kind == LongFloatGlyph::Clear) {
        for (int i = 2; i < 14; ++i) {
            glyph.SetPixel(i, i, 0x000000);
            glyph.SetPixel(15 - i, i, 0x000000);
        }
    }
    return glyph;
}

fw::SpeedButton* NewLongFloatButton(fw::Component& owner, const char* name, const char* hint, LongFloatGlyph glyph,
                                    int group)
{
    auto* button = new fw::SpeedButton(&owner);
    button->SetName(name);
    button->SetHint(hint);
    button->SetShowHint(true);
    button->SetGlyph(MakeGlyph(glyph));
    if (group != 0) {
        button->SetGroupIndex(group);
        button->SetAllowAllUp(true);
    }
    return button;
}

TILRadioButton* NewRadio(fw::Component& owner, const char* name, const char* caption)
{
    auto* radio = new TILRadioButton(&owner);
    radio->SetName(name);
    radio->SetCaption(caption);
    return radio;
}

} // namespace

TfrmTWDoubleFaceTwillNonMDI::TfrmTWDoubleFaceTwillNonMDI(fw::Component* owner, int colourCount)
    : TfrmTWDoublefaceNonMDI(owner, colourCount),
      btnSetLongFloats(
          NewLongFloatButton(*this, "btnSetLongFloats", "Set long floats", LongFloatGlyph::Set, LongFloatModeGroup)),
      btnMarkLongFloats(NewLongFloatButton(*this, "btnMarkLongFloats", "Mark long floats", LongFloatGlyph::Mark,
                                           MarkLongFloatsGroup)),
      btnClearLongFloats(
          NewLongFloatButton(*this, "btnClearLongFloats", "Clear all long floats", LongFloatGlyph::Clear, 0)),
      pnlBackgroundTwill(new fw::Panel(this)),
      lblBackgroundTwill(new fw::Label(this)),
      rbBackgroundSTwill(NewRadio(*this, "rbBackgroundSTwill", "S-Twill")),
      rbBackgroundZTwill(NewRadio(*this, "rbBackgroundZTwill", "Z-Twill"))
{
    // The marks live in the design items, so that undo, shifts and mirrors carry them along:
    // the grid takes the twill's items before anything is drawn into it.
    framePattern->SetDesignItemClass(TTWTwillBlockDesignItem());
    // The window being built answered its base's questions as a double-face window: the
    // grid staggers now, and the cards are made again so that they take the staggered
    // grid's threading.
    framePattern->SetStaggered(true);
    SetPatternSize(0, 0);
    SetPatternSize(NewDesignWidth, NewDesignLength);
    const std::string kindName = GetPatternKindName();
    if (colourCount == 4) {
        SetCaption("Multi-Colour " + kindName);
    } else if (colourCount == 6) {
        SetCaption("6-Hole " + kindName);
    } else {
        SetCaption(kindName);
    }

    BuildTwillLayout();
    framePattern->SetSimpleDraw(false);
    BindTwillEvents();
    const TTWUserSettings& settings = UserSettings();
    SetZTwillBackground(settings.BrokenTwill.DefaultTwill == TTWTwillDirection::Z);

    framePattern->SetBaseWidth(settings.ImageSizeRatios.Twill31.Width);
    framePattern->SetBaseHeight(settings.ImageSizeRatios.Twill31.Height);
    framePattern->SetOrientation(settings.DefaultRotations.Twill31);
    // A staggered design has no basic pattern to show and no rectangular areas to select.
    framePattern->btnShowBasicPattern->SetVisible(false);
    framePattern->btnModeArea->SetVisible(false);
}

TfrmTWDoubleFaceTwillNonMDI::~TfrmTWDoubleFaceTwillNonMDI()
{
    // The grid lives on until the base window frees it: its events must not call into this
    // class once it is gone.
    framePattern->OnDrawCell = nullptr;
    framePattern->OnCellChanging = nullptr;
    framePattern->OnAreaCleared = nullptr;
    framePattern->OnImportBitmap = nullptr;
    framePattern->OnCellMouse = nullptr;
}

void TfrmTWDoubleFaceTwillNonMDI::BuildTwillLayout()
{
    auto* panel = new fw::Panel(this);
    panel->SetName("pnlTwillTools");
    panel->SetCaption(std::string());
    panel->SetBevelOuter(fw::PanelBevel::None);
    panel->SetParent(pnlTools);
    panel->SetAlign(fw::Align::Bottom);
    panel->SetHeight(ButtonSize + 72);
    fw::SpeedButton* const buttons[] = {btnSetLongFloats, btnMarkLongFloats, btnClearLongFloats};
    for (int i = 0; i < 3; ++i) {
        buttons[i]->SetParent(panel);
        buttons[i]->SetBounds(4 + i * (ButtonSize + 2), 4, ButtonSize, ButtonSize);
    }
    pnlBackgroundTwill->SetName("pnlBackgroundTwill");
    pnlBackgroundTwill->SetCaption(std::string());
    pnlBackgroundTwill->SetBevelOuter(fw::PanelBevel::Lowered);
    pnlBackgroundTwill->SetParent(panel);
    pnlBackgroundTwill->SetBounds(2, ButtonSize + 10, 90, 58);
    lblBackgroundTwill->SetName("lblBackgroundTwill");
    lblBackgroundTwill->SetCaption("Background");
    lblBackgroundTwill->SetParent(pnlBackgroundTwill);
    lblBackgroundTwill->SetBounds(6, 3, 80, 14);
    rbBackgroundSTwill->SetParent(pnlBackgroundTwill);
    rbBackgroundSTwill->SetBounds(6, 19, 80, 17);
    rbBackgroundZTwill->SetParent(pnlBackgroundTwill);
    rbBackgroundZTwill->SetBounds(6, 37, 80, 17);
}

void TfrmTWDoubleFaceTwillNonMDI::BindTwillEvents()
{
    framePattern->OnDrawCell = [this](const TBlockCellInfo& info, fw::Canvas& canvas) {
        DrawLongFloatMarks(info, canvas);
    };
    framePattern->OnCellChanging = [](int x, int y, bool) { return !OutsideStaggeredStart(x, y); };
    framePattern->OnAreaCleared = [this](const TBlockArea& region, int, int) { ClearLongFloats(region); };
    framePattern->OnImportBitmap = [](fw::Bitmap& bitmap) { HalveRows(bitmap); };
    framePattern->OnCellMouse = [this](fw::MouseButton button, fw::ShiftState shift, fw::Point cell, bool press) {
        return CellMouse(button, shift, cell, press);
    };
    btnSetLongFloats->SetOnClick([this](fw::Object*) { SetLongFloatMode(btnSetLongFloats->Down()); });
    btnMarkLongFloats->SetOnClick([this](fw::Object*) { SetMarkLongFloats(btnMarkLongFloats->Down()); });
    btnClearLongFloats->SetOnClick([this](fw::Object*) { btnClearLongFloatsClick(); });
}

std::unique_ptr<TTWDFPattern> TfrmTWDoubleFaceTwillNonMDI::NewPattern() const
{
    return std::make_unique<TTW31TwillPattern>();
}

// --- The long floats ---------------------------------------------------------------------------

TTWTwillBlockDesignItem& TfrmTWDoubleFaceTwillNonMDI::TwillDesign()
{
    return dynamic_cast<TTWTwillBlockDesignItem&>(framePattern->CurrentDesign());
}

const TTWTwillBlockDesignItem& TfrmTWDoubleFaceTwillNonMDI::TwillDesign() const
{
    return dynamic_cast<const TTWTwillBlockDesignItem&>(std::as_const(*framePattern).CurrentDesign());
}

bool TfrmTWDoubleFaceTwillNonMDI::IsLongFloat(int x, int y) const
{
    return TwillDesign().IsLongFloat(x, y);
}

void TfrmTWDoubleFaceTwillNonMDI::SetLongFloat(int x, int y, bool value)
{
    if (!framePattern->IsCellInGrid(x, y) || (value && OutsideStaggeredStart(x, y))) {
        return;
    }
    TwillDesign().SetLongFloat(x, y, value);
}

void TfrmTWDoubleFaceTwillNonMDI::SetLongFloatMode(bool on)
{
    longFloatMode_ = on;
    btnSetLongFloats->SetDown(on);
}

void TfrmTWDoubleFaceTwillNonMDI::SetMarkLongFloats(bool on)
{
    btnMarkLongFloats->SetDown(on);
    if (on == markLongFloats_) {
        return;
    }
    markLongFloats_ = on;
    framePattern->Refresh();
}

void TfrmTWDoubleFaceTwillNonMDI::DrawLongFloatMarks(const TBlockCellInfo& info, fw::Canvas& canvas) const
{
    if (!markLongFloats_ || !IsLongFloat(info.Column, info.Row)) {
        return;
    }
    // Where the cell lies on the canvas drawn on: its record's corners.
    const fw::Rect cell = framePattern->Geometry().CellRectOf(info.Corners);
    // Too small a cell has no room inside for a mark.
    if (cell.Width() <= 2 || cell.Height() <= 2) {
        return;
    }
    const fw::Pen pen = canvas.Pen();
    const fw::Brush brush = canvas.Brush();
    canvas.Pen() = fw::Pen{LongFloatColour, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    canvas.Brush().Style = fw::BrushStyle::Clear;
    for (const int inset : {OuterMarkInset, InnerMarkInset}) {
        const fw::Rect mark{cell.Left + inset, cell.Top + inset, cell.Right - inset, cell.Bottom - inset};
        if (mark.Width() > 0 && mark.Height() > 0) {
            canvas.Rectangle(mark);
        }
    }
    canvas.Pen() = pen;
    canvas.Brush() = brush;
}

bool TfrmTWDoubleFaceTwillNonMDI::CellMouse(fw::MouseButton button, fw::ShiftState shift, fw::Point cell, bool press)
{
    if (!longFloatMode_) {
        return false;
    }
    // In long-float mode the cells stay as they are whatever the mouse does.
    if (!framePattern->IsCellInGrid(cell.X, cell.Y)) {
        return true;
    }
    if (press) {
        if (button == fw::MouseButton::Left) {
            framePattern->PushUndo();
            ChangeMarkAt(cell, !IsLongFloat(cell.X, cell.Y));
        }
    } else if (shift.Contains(fw::ShiftFlag::Left)) {
        ChangeMarkAt(cell, true);
    } else if (shift.Contains(fw::ShiftFlag::Right)) {
        ChangeMarkAt(cell, false);
    }
    return true;
}

void TfrmTWDoubleFaceTwillNonMDI::ChangeMarkAt(fw::Point cell, bool value)
{
    if (IsLongFloat(cell.X, cell.Y) == value) {
        return;
    }
    SetLongFloat(cell.X, cell.Y, value);
    if (IsLongFloat(cell.X, cell.Y) == value) {
        framePattern->DrawCell(cell.X, cell.Y);
    }
}

void TfrmTWDoubleFaceTwillNonMDI::ClearLongFloats(const TBlockArea& region)
{
    for (int x = region.MinX(); x <= region.MaxX(); ++x) {
        for (int y = region.MinY(); y <= region.MaxY(); ++y) {
            SetLongFloat(x, y, false);
        }
    }
}

void TfrmTWDoubleFaceTwillNonMDI::btnClearLongFloatsClick()
{
    if (fw::MessageDlg(ClearLongFloatsText, fw::MsgDlgType::Confirmation,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No})
        != fw::mrYes) {
        return;
    }
    framePattern->BeginUpdate();
    ClearLongFloats(TBlockArea{0, 0, framePattern->GridWidth() - 1, framePattern->GridHeight() - 1});
    framePattern->EndUpdate();
}

void TfrmTWDoubleFaceTwillNonMDI::Realign()
{
    framePattern->PushUndo();
    const fw::ScopedCursor busy;
    framePattern->BeginUpdate();
    const int height = framePattern->GridHeight();
    TTWTwillBlockDesignItem& design = TwillDesign();
    for (int x = 0; x < framePattern->GridWidth(); x += 2) {
        // Upwards, so that every cell reads the one above it before that one changes.
        for (int y = 0; y < height; ++y) {
            const bool above = y + 1 < height;
            framePattern->SetCell(x, y, above && framePattern->IsCellSet(x, y + 1));
            design.SetLongFloat(x, y, above && design.IsLongFloat(x, y + 1));
        }
    }
    framePattern->EndUpdate();
}

void TfrmTWDoubleFaceTwillNonMDI::HalveRows(fw::Bitmap& bitmap)
{
    // A picture drawn for the twill has two rows per design row, one per pick.
    for (int x = 0; x < bitmap.Width(); ++x) {
        for (int y = 0; y < bitmap.Height(); ++y) {
            bitmap.SetPixel(x, y / 2, bitmap.Pixel(x, y));
        }
    }
    bitmap.SetHeight(bitmap.Height() / 2);
}

// --- The background twill -------------------------------------------------------------------------

bool TfrmTWDoubleFaceTwillNonMDI::ZTwillBackground() const
{
    return rbBackgroundZTwill->Checked();
}

void TfrmTWDoubleFaceTwillNonMDI::SetZTwillBackground(bool z)
{
    (z ? rbBackgroundZTwill : rbBackgroundSTwill)->SetChecked(true);
}

// --- The pattern in and out ---------------------------------------------------------------------------

void TfrmTWDoubleFaceTwillNonMDI::SetPattern(const TTWDFPattern& pattern)
{
    const auto* twill = dynamic_cast<const TTW31TwillPattern*>(&pattern);
    if (twill == nullptr) {
        throw TGenericException(NotATwillText, nullptr, std::string(className()), "SetPattern");
    }
    framePattern->BeginUpdate();
    try {
        TfrmTWDoublefaceNonMDI::SetPattern(pattern);
        if (ColourCount() == 2) {
            // Each card of the repeat carries its primary colour in a different pair of its
            // holes; more colours keep every hole as it is.
            static constexpr int PrimaryHole[4] = {0, 1, 2, 1};
            static constexpr int SecondaryHole[4] = {2, 3, 0, 3};
            const TTWCardList& cards = pattern.Cards();
            for (int i = 0; i < pattern.Width() && i < cards.Count(); ++i) {
                const TTWCardBase& card = *cards.GetCard(i);
                TfrmCardCompactBase* frame = frameCards->GetCardFrame(i);
                frame->SetHoleColourIndex(0, card.HoleColour(PrimaryHole[i % 4]));
                frame->SetHoleColourIndex(1, card.HoleColour(SecondaryHole[i % 4]));
            }
        }
        // The marks are copied as the file holds them, so that saving writes back what was
        // read.
        TTWTwillBlockDesignItem& design = TwillDesign();
        design.LongFloats().SetSize(framePattern->GridWidth(), framePattern->GridHeight());
        for (int y = 0; y < framePattern->GridHeight(); ++y) {
            for (int x = 0; x < framePattern->GridWidth(); ++x) {
                design.SetLongFloat(x, y, twill->GetLongFloat(x, y));
            }
        }
        SetZTwillBackground(twill->BackgroundTwill() == TTWTwillDirection::Z);
    } catch (...) {
        framePattern->EndUpdate();
        throw;
    }
    framePattern->EndUpdate();
}

void TfrmTWDoubleFaceTwillNonMDI::GetDFPattern(TTWDFPattern& pattern)
{
    auto* twill = dynamic_cast<TTW31TwillPattern*>(&pattern);
    if (twill == nullptr) {
        throw TGenericException(NotATwillTargetText, nullptr, std::string(className()), "GetDFPattern");
    }
    TfrmTWDoublefaceNonMDI::GetDFPattern(pattern);
    for (int y = 0; y < framePattern->GridHeight(); ++y) {
        for (int x = 0; x < framePattern->GridWidth(); ++x) {
            twill->SetLongFloat(x, y, IsLongFloat(x, y));
        }
    }
    twill->SetBackgroundTwill(ZTwillBackground() ? TTWTwillDirection::Z : TTWTwillDirection::S);
}

// --- ITWActions -------------------------------------------------------------------------------------------

bool TfrmTWDoubleFaceTwillNonMDI::PerformAction(std::int32_t actionId, bool down, fw::Object* data)
{
    if (actionId == TWAction::RealignPattern) {
        Realign();
        return true;
    }
    return TfrmTWDoublefaceNonMDI::PerformAction(actionId, down, data);
}

void TfrmTWDoubleFaceTwillNonMDI::GetToolActions(TTWToolActionList& list)
{
    TfrmTWDoublefaceNonMDI::GetToolActions(list);
    list.EnableActions({TWAction::RealignPattern});
    // No basic pattern, twining marks or rectangular areas on a staggered grid.
    list.DisableActions({TWAction::ShowUnderlyingBlockPattern, TWAction::ShowTwining, TWAction::ClipPanel,
                         TWAction::CopySelection, TWAction::CutSelection, TWAction::UndoArea});
}
