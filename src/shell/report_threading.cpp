#include "shell/report_threading.h"

#include <string>

#include "controls/radio_button.h"
#include "framework/gui/std_edit.h"
#include "model/card_list.h"
#include "model/palette.h"
#include "model/turning_codes.h"
#include "shell/report_threading_dialog.h"

namespace {

constexpr int CardBandHeight = 26;
constexpr int HoleSize = 18;
constexpr int FirstHoleLeft = 90;
constexpr int HoleSpacing = 69;

} // namespace

TfrmTWPrintCardsQR::TfrmTWPrintCardsQR(fw::Component* owner) : TfrmPrintTemplate(owner)
{
    SetCaption("Threading Diagram");
    qrReport.Title = "Threading Diagram";

    qrbTitle = qrReport.AddBand(fw::ReportBandType::Title, "qrbTitle");
    qrbTitle->Height = 58;
    lblHeading = AddCentredLabel(*qrbTitle, "lblHeading", ReportFont(16, true), 0, 26);
    lblHeading->Caption = "Threading Diagram";
    lblTitle = AddCentredLabel(*qrbTitle, "lblTitle", ReportFont(12), 28, 20);
    shpTitleLine = AddRule(*qrbTitle, "shpTitleLine", 50);

    qrbCard = NewCardBand("qrbCard", "Card", HoleText::None);
    qrbColourNames = NewCardBand("qrbColourNames", "Names", HoleText::Name);
    qrbColourCharacters = NewCardBand("qrbColourCharacters", "Chars", HoleText::Characters);

    qrbDetailEnd = qrReport.AddBand(fw::ReportBandType::Detail, "qrbDetailEnd");
    qrbDetailEnd->Height = 5;
    shpDetailEnd = AddRule(*qrbDetailEnd, "shpDetailEnd", 0);
    shpDetailEnd->PenColor = fw::clGray;
    qrbDetailEnd->SetAfterPrint([this](fw::ReportBand&, bool) { ++row_; });

    qrReport.SetOnStartReport([this](fw::Report&) { StartReport(); });
    qrReport.SetOnNeedData([this](fw::Report&, bool& more) {
        more = source_ != nullptr && source_->Cards() != nullptr && row_ < source_->Cards()->Count();
    });
}

TfrmTWPrintCardsQR::~TfrmTWPrintCardsQR() = default;

TfrmTWPrintCardsQR::CardBand TfrmTWPrintCardsQR::NewCardBand(const char* bandName, const char* prefix, HoleText text)
{
    const std::string name(prefix);
    CardBand parts;
    parts.Band = qrReport.AddBand(fw::ReportBandType::Detail, bandName);
    parts.Band->Height = CardBandHeight;
    parts.CardNumber = parts.Band->AddLabel("lbl" + name + "Number");
    parts.CardNumber->Font = ReportFont(10);
    parts.CardNumber->SetBounds(0, 5, 60, 16);
    parts.Threading = parts.Band->AddLabel("lbl" + name + "Thread");
    parts.Threading->Font = ReportFont(10, true);
    parts.Threading->Alignment = fw::Alignment::Center;
    parts.Threading->SetBounds(62, 5, 20, 16);
    for (int hole = 0; hole < MaxHoles; ++hole) {
        const std::string letter(1, static_cast<char>('A' + hole));
        const int left = FirstHoleLeft + hole * HoleSpacing;
        fw::ReportShape* shape = parts.Band->AddShape("shp" + name + "Hole" + letter);
        shape->Shape = fw::ReportShapeType::Circle;
        shape->SetBounds(left, 4, HoleSize, HoleSize);
        parts.Holes[static_cast<std::size_t>(hole)] = shape;
        if (text != HoleText::None) {
            fw::ReportLabel* label = parts.Band->AddLabel("lbl" + name + "Hole" + letter);
            label->Font = ReportFont(8);
            label->SetBounds(left + HoleSize + 3, 6, HoleSpacing - HoleSize - 4, 14);
            parts.HoleTexts[static_cast<std::size_t>(hole)] = label;
        }
    }
    CardBand* band = text == HoleText::None   ? &qrbCard
                     : text == HoleText::Name ? &qrbColourNames
                                              : &qrbColourCharacters;
    parts.Band->SetBeforePrint(
        [this, band, text](fw::ReportBand&, bool& print) { CardBeforePrint(*band, text, print); });
    return parts;
}

void TfrmTWPrintCardsQR::PreviewCards(const TfrmTWPrintCards* source)
{
    source_ = source;
    PreviewOrPrint(true);
}

void TfrmTWPrintCardsQR::StartReport()
{
    row_ = 0;
    if (source_ == nullptr) {
        return;
    }
    qrbCard.Band->Enabled = source_->rbUseColours->Checked();
    qrbColourNames.Band->Enabled = source_->rbUseNames->Checked();
    qrbColourCharacters.Band->Enabled = source_->rbUseCharacters->Checked();
    lblTitle->Caption = source_->edTitle->Text();
}

void TfrmTWPrintCardsQR::CardBeforePrint(CardBand& band, HoleText text, bool& print) const
{
    const TTWCardBase* card = source_->Cards()->GetCard(row_);
    if (card == nullptr) {
        print = false;
        return;
    }
    const TTWPalette* palette = source_->Palette();
    band.CardNumber->Caption = "Card " + std::to_string(row_ + 1);
    band.Threading->Caption = std::string(ThreadingText(card->Threading()));
    for (int hole = 0; hole < MaxHoles; ++hole) {
        fw::ReportShape* shape = band.Holes[static_cast<std::size_t>(hole)];
        fw::ReportLabel* label = band.HoleTexts[static_cast<std::size_t>(hole)];
        // A and B always print; C .. H only when the card has that many holes.
        shape->Enabled = hole < 2 || card->GetHoleCount() > hole;
        const int colour = card->HoleColour(hole);
        const TTWColour value = palette != nullptr ? palette->GetColour(colour) : NoColour;
        shape->BrushColor = value;
        shape->BrushStyle = value == NoColour ? fw::BrushStyle::Clear : fw::BrushStyle::Solid;
        if (label != nullptr) {
            label->Enabled = shape->Enabled;
            label->Caption = text == HoleText::Name ? source_->ColourName(colour) : source_->ColourCharacters(colour);
        }
    }
}
