#include "shell/report_turning.h"

#include "framework/core/bitmap.h"

namespace {

constexpr int ActionsDesignedHeight = 15;
constexpr int PickColumnWidth = 55;

fw::ReportLabel* NewValueLabel(fw::ReportBand& band, const char* name)
{
    fw::ReportLabel* label = band.AddLabel(name);
    label->WordWrap = true;
    label->AutoStretch = true;
    label->SetBounds(0, 0, 0, ActionsDesignedHeight);
    return label;
}

// A value label and its heading take one place and one state.
void PlaceColumn(fw::ReportLabel& value, fw::ReportLabel& heading, int left, int width)
{
    value.Left = left;
    value.Width = width;
    value.Enabled = true;
    heading.Left = left;
    heading.Width = width;
    heading.Enabled = true;
}

} // namespace

TfrmTWPrintActionsQR::TfrmTWPrintActionsQR(fw::Component* owner) : TfrmPrintTemplate(owner)
{
    SetCaption("Turning Sequence");
    qrReport.Title = "Turning Sequence";

    qrbTitle = qrReport.AddBand(fw::ReportBandType::Title, "qrbTitle");
    qrbTitle->Height = 52;
    lblCaption = AddCentredLabel(*qrbTitle, "lblCaption", ReportFont(16, true), 0, 26);
    lblCaption->Caption = "Turning Sequence";
    lblTitle = AddCentredLabel(*qrbTitle, "lblTitle", ReportFont(12), 28, 20);

    qrbLine = qrReport.AddChildBand(qrbTitle, "qrbLine");
    qrbLine->Height = 10;
    shpLine = AddRule(*qrbLine, "shpLine", 2);

    const PictureBand image = AddPictureBand(*qrbLine, "qrbImage", "imgPicture", [this]() -> const fw::Bitmap* {
        return display_ != nullptr ? display_->PrintPicture() : nullptr;
    });
    qrbImage = image.Band;
    imgPicture = image.Image;

    qrbCaptions = qrReport.AddChildBand(qrbImage, "qrbCaptions");
    qrbCaptions->Height = 20;
    auto caption = [this](const char* name, const char* text) {
        fw::ReportLabel* label = qrbCaptions->AddLabel(name);
        label->Caption = text;
        label->Font = ReportFont(10, true);
        label->SetBounds(0, 2, 0, 16);
        return label;
    };
    lblCapPick = caption("lblCapPick", "Pick");
    lblCapPick->Width = PickColumnWidth;
    lblCapForwards = caption("lblCapForwards", "Forwards");
    lblCapBackwards = caption("lblCapBackwards", "Backwards");
    lblCapTwist = caption("lblCapTwist", "Twist");

    qrbActions = qrReport.AddBand(fw::ReportBandType::Detail, "qrbActions");
    qrbActions->Height = ActionsDesignedHeight;
    lblPick = qrbActions->AddLabel("lblPick");
    lblPick->SetBounds(0, 0, PickColumnWidth, ActionsDesignedHeight);
    lblForwards = NewValueLabel(*qrbActions, "lblForwards");
    lblBackwards = NewValueLabel(*qrbActions, "lblBackwards");
    lblTwist = NewValueLabel(*qrbActions, "lblTwist");
    qrbActions->SetBeforePrint([this](fw::ReportBand&, bool&) { ActionsBeforePrint(); });

    LayOutColumns();
    qrReport.SetOnStartReport([this](fw::Report&) { StartReport(); });
    qrReport.SetOnNeedData([this](fw::Report&, bool& more) { NeedData(more); });
}

TfrmTWPrintActionsQR::~TfrmTWPrintActionsQR() = default;

void TfrmTWPrintActionsQR::PrintActions(const ITWPrintActionSource* display, const std::string& title, bool preview)
{
    display_ = display;
    lblTitle->Caption = title;
    lblPage->Text = title + ": Page ";
    qrbImage->Enabled = ImageWanted();
    PreviewOrPrint(preview);
}

bool TfrmTWPrintActionsQR::ImageWanted() const
{
    return display_ != nullptr && display_->PrintPicture() != nullptr && display_->PrintImageChecked();
}

void TfrmTWPrintActionsQR::StartReport()
{
    qrbImage->Enabled = ImageWanted();
    row_ = 0;
    LayOutColumns();
    const int fontSize = PrintFontSize();
    for (fw::ReportLabel* label : {lblPick, lblForwards, lblBackwards, lblTwist}) {
        label->Font = ReportFont(fontSize);
    }
    const int height = PrintBandHeight(fontSize, ActionsDesignedHeight);
    qrbActions->Height = height;
    for (fw::ReportLabel* label : {lblPick, lblForwards, lblBackwards, lblTwist}) {
        label->Height = height;
    }
}

void TfrmTWPrintActionsQR::NeedData(bool& more) const
{
    more = display_ != nullptr && row_ < display_->PrintRowCount();
}

void TfrmTWPrintActionsQR::ActionsBeforePrint()
{
    lblPick->Caption = display_->PrintCell(row_, "PICK");
    lblForwards->Caption = display_->PrintCell(row_, "FORWARDS");
    lblBackwards->Caption = display_->PrintCell(row_, "BACKWARDS");
    lblTwist->Caption = display_->PrintCell(row_, "TWIST");
    ++row_;
}

void TfrmTWPrintActionsQR::LayOutColumns()
{
    const bool forwards = (columnChoice_ & PrintColumnForwards) != 0;
    const bool backwards = (columnChoice_ & PrintColumnBackwards) != 0;
    const bool twist =
        (columnChoice_ & PrintColumnTwist) != 0 && display_ != nullptr && display_->PrintPicksHaveTwist();
    const int columns = (twist ? 1 : 0) + (forwards ? 1 : 0) + (backwards ? 1 : 0);

    for (fw::ReportLabel* label : {lblForwards, lblBackwards, lblTwist, lblCapForwards, lblCapBackwards, lblCapTwist}) {
        label->Enabled = false;
    }
    if (columns == 1) {
        if (forwards) {
            PlaceColumn(*lblForwards, *lblCapForwards, 60, 584);
        } else if (backwards) {
            PlaceColumn(*lblBackwards, *lblCapBackwards, 60, 584);
        } else {
            PlaceColumn(*lblTwist, *lblCapTwist, 60, 584);
        }
    } else if (columns == 2) {
        if (forwards) {
            PlaceColumn(*lblForwards, *lblCapForwards, 60, 289);
            if (twist) {
                PlaceColumn(*lblTwist, *lblCapTwist, 353, 289);
            } else {
                PlaceColumn(*lblBackwards, *lblCapBackwards, 353, 289);
            }
        } else {
            PlaceColumn(*lblBackwards, *lblCapBackwards, 60, 289);
            PlaceColumn(*lblTwist, *lblCapTwist, 353, 289);
        }
    } else if (columns == 3) {
        PlaceColumn(*lblForwards, *lblCapForwards, 60, 214);
        PlaceColumn(*lblBackwards, *lblCapBackwards, 285, 214);
        PlaceColumn(*lblTwist, *lblCapTwist, 508, 136);
    }
}
