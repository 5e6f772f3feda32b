#include "shell/report_brocade.h"

#include <initializer_list>
#include <string>

#include "framework/core/strings.h"
#include "model/brocade_pattern.h"

namespace {

constexpr int PickDesignedHeight = 15;
constexpr int WeftColumnLeft = 40;
constexpr int WeftColumnWidth = 35;
constexpr int TieDownsLeft = 80;

// The designed places of the ground section: each column's "F:", "B:" or "T:" label and
// its value after it.
struct GroundColumn {
    int LabelLeft;
    int ValueLeft;
    int ValueWidth;
};
constexpr GroundColumn DesignedForwards{80, 95, 198};
constexpr GroundColumn DesignedBackwards{300, 315, 198};
constexpr GroundColumn DesignedTwist{520, 535, 103};

// A label printed on a report band: the band owns and places it, so the window form kit's
// labels do not fit it.
fw::ReportLabel* NewLabel(fw::ReportBand& band, const char* name, const char* caption, int left, int top, int width,
                          int height)
{
    fw::ReportLabel* label = band.AddLabel(name);
    label->Caption = caption;
    label->SetBounds(left, top, width, height);
    return label;
}

void PlaceGroundColumn(fw::ReportLabel& label, fw::ReportLabel& value, int labelLeft, int valueLeft, int valueWidth)
{
    label.Left = labelLeft;
    label.Enabled = true;
    value.Left = valueLeft;
    value.Width = valueWidth;
    value.Enabled = true;
}

} // namespace

TfrmPrintBrocadePattern::TfrmPrintBrocadePattern(fw::Component* owner) : TfrmPrintTemplate(owner)
{
    SetCaption("Brocade Pattern");
    qrReport.Title = "Brocade Pattern";
    const int width = qrReport.ContentWidth();

    qrbTitle = qrReport.AddBand(fw::ReportBandType::Title, "qrbTitle");
    qrbTitle->Height = 0;

    qrbCaption = qrReport.AddChildBand(qrbTitle, "qrbCaption");
    qrbCaption->Height = 30;
    lblCaptionText = NewLabel(*qrbCaption, "lblCaptionText", "Brocade Pattern:", 0, 0, 170, 26);
    lblCaptionText->Font = ReportFont(16, true);
    lblPatternName = NewLabel(*qrbCaption, "lblPatternName", "(Unnamed)", 175, 0, width - 175, 26);
    lblPatternName->Font = ReportFont(16, true);

    const PictureBand image = AddPictureBand(*qrbCaption, "bandImage", "imgPattern", [this] { return picture_; });
    bandImage = image.Band;
    imgPattern = image.Image;

    qrbHeadings = qrReport.AddChildBand(bandImage, "qrbHeadings");
    qrbHeadings->Height = 20;
    lblCapPick = NewLabel(*qrbHeadings, "lblCapPick", "Pick", 0, 2, WeftColumnLeft - 5, 16);
    lblCapWeft = NewLabel(*qrbHeadings, "lblCapWeft", "Weft", WeftColumnLeft, 2, WeftColumnWidth, 16);
    lblCapWeft->Alignment = fw::Alignment::Center;
    lblCapTieDowns = NewLabel(*qrbHeadings, "lblCapTieDowns", "Tie-Downs", TieDownsLeft, 2, width - TieDownsLeft, 16);
    for (fw::ReportLabel* label : {lblCapPick, lblCapWeft, lblCapTieDowns}) {
        label->Font = ReportFont(10, true);
    }

    qrbPick = qrReport.AddBand(fw::ReportBandType::Detail, "qrbPick");
    qrbPick->Height = PickDesignedHeight;
    lblPick = NewLabel(*qrbPick, "lblPick", "(Pick)", 0, 0, WeftColumnLeft - 5, PickDesignedHeight);
    lblWeft = NewLabel(*qrbPick, "lblWeft", "", WeftColumnLeft, 0, WeftColumnWidth, PickDesignedHeight);
    lblWeft->Alignment = fw::Alignment::Center;
    lblTieDowns = NewLabel(*qrbPick, "lblTieDowns", "(Tie-Downs)", TieDownsLeft, 0, width - TieDownsLeft,
                           PickDesignedHeight);
    lblTieDowns->WordWrap = true;
    lblTieDowns->AutoStretch = true;
    qrbPick->SetBeforePrint([this](fw::ReportBand&, bool& print) { PickBeforePrint(print); });

    qrbGroundWeave = qrReport.AddChildBand(qrbPick, "qrbGroundWeave");
    qrbGroundWeave->Height = PickDesignedHeight;
    lblGround = NewLabel(*qrbGroundWeave, "lblGround", "Ground", 0, 0, 75, PickDesignedHeight);
    lblF = NewLabel(*qrbGroundWeave, "lblF", "F:", DesignedForwards.LabelLeft, 0, 15, PickDesignedHeight);
    lblB = NewLabel(*qrbGroundWeave, "lblB", "B:", DesignedBackwards.LabelLeft, 0, 15, PickDesignedHeight);
    lblT = NewLabel(*qrbGroundWeave, "lblT", "T:", DesignedTwist.LabelLeft, 0, 15, PickDesignedHeight);
    lblGroundF = NewLabel(*qrbGroundWeave, "lblGroundF", "", DesignedForwards.ValueLeft, 0,
                          DesignedForwards.ValueWidth, PickDesignedHeight);
    lblGroundB = NewLabel(*qrbGroundWeave, "lblGroundB", "", DesignedBackwards.ValueLeft, 0,
                          DesignedBackwards.ValueWidth, PickDesignedHeight);
    lblGroundT = NewLabel(*qrbGroundWeave, "lblGroundT", "", DesignedTwist.ValueLeft, 0, DesignedTwist.ValueWidth,
                          PickDesignedHeight);
    // Long card ranges wrap rather than run into the next column.
    for (fw::ReportLabel* label : {lblGroundF, lblGroundB, lblGroundT}) {
        label->WordWrap = true;
        label->AutoStretch = true;
    }
    qrbGroundWeave->SetBeforePrint([this](fw::ReportBand&, bool& print) { print = groundRowDue_; });

    qrbLine = qrReport.AddChildBand(qrbGroundWeave, "qrbLine");
    qrbLine->Height = 5;
    qrLine = AddRule(*qrbLine, "qrLine", 0);
    qrLine->PenColor = fw::clGray;

    qrReport.SetOnStartReport([this](fw::Report&) { StartReport(); });
    qrReport.SetOnNeedData([this](fw::Report&, bool& more) { NeedData(more); });
}

TfrmPrintBrocadePattern::~TfrmPrintBrocadePattern() = default;

void TfrmPrintBrocadePattern::SetGroundDisplay(const ITWPrintActionSource* display, int columnChoice)
{
    groundDisplay_ = display;
    groundColumns_ = columnChoice;
}

bool TfrmPrintBrocadePattern::HasGround() const
{
    // A pattern with a ground weave printed without its display has no ground turns to show.
    return pattern_ != nullptr && pattern_->HasGroundWeave() && groundDisplay_ != nullptr;
}

void TfrmPrintBrocadePattern::PrintPattern(const TTWBrocadePattern* pattern, const fw::Bitmap* picture, bool preview,
                                           int firstCard, int firstPick)
{
    const int fontSize = PrintFontSize();
    for (fw::ReportLabel* label :
         {lblPick, lblTieDowns, lblWeft, lblGround, lblF, lblB, lblT, lblGroundF, lblGroundB, lblGroundT}) {
        label->Font = ReportFont(fontSize);
    }
    qrbPick->Height = PrintBandHeight(fontSize, PickDesignedHeight);
    qrbGroundWeave->Height = qrbPick->Height;
    for (fw::ReportLabel* label : {lblPick, lblTieDowns, lblWeft}) {
        label->Height = qrbPick->Height;
    }
    for (fw::ReportLabel* label : {lblGround, lblF, lblB, lblT, lblGroundF, lblGroundB, lblGroundT}) {
        label->Height = qrbGroundWeave->Height;
    }

    pattern_ = pattern;
    picture_ = picture;
    firstCard_ = firstCard;
    firstPick_ = firstPick;
    weftUsed_.fill(false);
    lowestWeft_ = 0;
    highestWeft_ = 0;
    for (int weft = 5; weft >= 1; --weft) {
        weftUsed_[static_cast<std::size_t>(weft)] = pattern_ != nullptr && pattern_->UsesWeft(weft);
        if (weftUsed_[static_cast<std::size_t>(weft)]) {
            lowestWeft_ = weft;
            if (highestWeft_ == 0) {
                highestWeft_ = weft;
            }
        }
    }
    if (HasGround()) {
        PrepareGroundSection();
        MapGroundRows();
    }
    PreviewOrPrint(preview);
}

void TfrmPrintBrocadePattern::PrepareGroundSection()
{
    const bool forwards = (groundColumns_ & PrintColumnForwards) != 0;
    const bool backwards = (groundColumns_ & PrintColumnBackwards) != 0;
    const bool twist = (groundColumns_ & PrintColumnTwist) != 0 && groundDisplay_->PrintPicksHaveTwist();
    const int columns = (forwards ? 1 : 0) + (backwards ? 1 : 0) + (twist ? 1 : 0);

    for (fw::ReportLabel* label : {lblF, lblB, lblT, lblGroundF, lblGroundB, lblGroundT}) {
        label->Enabled = false;
    }
    if (columns == 1) {
        if (forwards) {
            PlaceGroundColumn(*lblF, *lblGroundF, 80, 95, 565);
        } else if (backwards) {
            PlaceGroundColumn(*lblB, *lblGroundB, 80, 95, 565);
        } else {
            PlaceGroundColumn(*lblT, *lblGroundT, 80, 95, 565);
        }
    } else if (columns == 2) {
        if (forwards) {
            PlaceGroundColumn(*lblF, *lblGroundF, 80, 95, 260);
        } else {
            PlaceGroundColumn(*lblB, *lblGroundB, 80, 95, 260);
        }
        if (twist) {
            PlaceGroundColumn(*lblT, *lblGroundT, 365, 380, 260);
        } else {
            PlaceGroundColumn(*lblB, *lblGroundB, 365, 380, 260);
        }
    } else if (columns == 3) {
        PlaceGroundColumn(*lblF, *lblGroundF, DesignedForwards.LabelLeft, DesignedForwards.ValueLeft,
                          DesignedForwards.ValueWidth);
        PlaceGroundColumn(*lblB, *lblGroundB, DesignedBackwards.LabelLeft, DesignedBackwards.ValueLeft,
                          DesignedBackwards.ValueWidth);
        PlaceGroundColumn(*lblT, *lblGroundT, DesignedTwist.LabelLeft, DesignedTwist.ValueLeft,
                          DesignedTwist.ValueWidth);
    }
}

void TfrmPrintBrocadePattern::StartReport()
{
    pickRow_ = 0;
    currentWeft_ = lowestWeft_;
    groundRowDue_ = false;
    const std::string name = pattern_ != nullptr ? pattern_->Name() : std::string();
    lblPatternName->Caption = name;
    lblPage->Text = name + ": Page ";
    weftsInUse_ = pattern_ != nullptr ? pattern_->WeftsUsed() : 0;
    const int width = qrReport.ContentWidth();
    if (weftsInUse_ < 2 && !HasGround()) {
        // One weft needs no weft column: the tie-downs take its place.
        for (fw::ReportLabel* label : {lblCapTieDowns, lblTieDowns}) {
            label->Left = WeftColumnLeft;
            label->Width = width - WeftColumnLeft;
        }
        lblCapWeft->Enabled = false;
        lblWeft->Enabled = false;
    } else {
        for (fw::ReportLabel* label : {lblCapTieDowns, lblTieDowns}) {
            label->Left = TieDownsLeft;
            label->Width = width - TieDownsLeft;
        }
        lblCapWeft->Enabled = true;
        lblWeft->Enabled = true;
    }
}

void TfrmPrintBrocadePattern::NeedData(bool& more) const
{
    more = pattern_ != nullptr && pickRow_ < pattern_->BrocadePicks().Count();
}

void TfrmPrintBrocadePattern::PickBeforePrint(bool& print)
{
    const TTWBrocadePick* pick = pattern_->BrocadePicks().GetPick(pickRow_);
    if (pick == nullptr) {
        print = false;
        return;
    }
    lblPick->Caption = std::to_string(pickRow_ + firstPick_);
    lblTieDowns->Caption = pick->GetCardRangesText(firstCard_, currentWeft_);
    lblPick->Enabled = true;
    qrLine->PenStyle = fw::PenStyle::Solid;
    if (weftsInUse_ >= 2 || HasGround()) {
        lblPick->Enabled = currentWeft_ == lowestWeft_;
        lblWeft->Caption =
            currentWeft_ >= 1 ? std::string(1, static_cast<char>('A' + currentWeft_ - 1)) : std::string();
        if (weftsInUse_ > 0 && currentWeft_ != highestWeft_) {
            qrLine->PenStyle = fw::PenStyle::Dot;
        }
    }
    groundRowDue_ = HasGround() && (currentWeft_ == highestWeft_ || weftsInUse_ == 0);
    if (groundRowDue_) {
        const int row = pickRow_ < static_cast<int>(groundRows_.size())
                            ? groundRows_[static_cast<std::size_t>(pickRow_)]
                            : -1;
        lblGroundF->Caption = groundDisplay_->PrintCell(row, "FORWARDS");
        lblGroundB->Caption = groundDisplay_->PrintCell(row, "BACKWARDS");
        lblGroundT->Caption = groundDisplay_->PrintCell(row, "TWIST");
    }
    AdvanceRow();
}

void TfrmPrintBrocadePattern::AdvanceRow()
{
    for (int weft = currentWeft_ + 1; weft <= 5; ++weft) {
        if (weftUsed_[static_cast<std::size_t>(weft)]) {
            currentWeft_ = weft;
            return;
        }
    }
    ++pickRow_;
    currentWeft_ = lowestWeft_;
}

void TfrmPrintBrocadePattern::MapGroundRows()
{
    const int picks = pattern_->BrocadePicks().Count();
    groundRows_.assign(static_cast<std::size_t>(picks), -1);
    // The rows stand in the order of their pick numbers.
    int row = -1;
    int next = 0;
    const int rows = groundDisplay_->PrintRowCount();
    for (int pick = 0; pick < picks; ++pick) {
        while (next < rows && fw::StrToIntDef(groundDisplay_->PrintCell(next, "PICK"), 0) <= pick + 1) {
            row = next++;
        }
        groundRows_[static_cast<std::size_t>(pick)] = row;
    }
}
