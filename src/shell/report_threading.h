#pragma once

#include <array>

#include "shell/report_template.h"

class TfrmTWPrintCards;

// The printed threading diagram: per card its number, its threading and its holes A to H
// in their colours, optionally with each colour's name or character from the dialog.
//
// Bands: the title band; three alternative detail bands qrbCard (colours), qrbColourNames
// and qrbColourCharacters, of which the dialog's choice prints; then qrbDetailEnd, the line
// that ends each card's row.
class TfrmTWPrintCardsQR : public TfrmPrintTemplate {
public:
    static constexpr int MaxHoles = 8;

    explicit TfrmTWPrintCardsQR(fw::Component* owner = nullptr);
    ~TfrmTWPrintCardsQR() override;

    std::string_view className() const override { return "TfrmTWPrintCardsQR"; }

    // Previews the diagram of the dialog's cards with the dialog's choices (the dialog is
    // not owned and must stay while the preview runs).
    void PreviewCards(const TfrmTWPrintCards* source);

    // One detail band and what it shows of a card.
    struct CardBand {
        fw::ReportBand* Band = nullptr;
        fw::ReportLabel* CardNumber = nullptr;
        fw::ReportLabel* Threading = nullptr;
        std::array<fw::ReportShape*, MaxHoles> Holes{};
        // The name or character beside each hole; none on the colours band.
        std::array<fw::ReportLabel*, MaxHoles> HoleTexts{};
    };

    fw::ReportBand* qrbTitle = nullptr;
    fw::ReportLabel* lblHeading = nullptr;
    fw::ReportLabel* lblTitle = nullptr;
    fw::ReportShape* shpTitleLine = nullptr;
    CardBand qrbCard;
    CardBand qrbColourNames;
    CardBand qrbColourCharacters;
    fw::ReportBand* qrbDetailEnd = nullptr;
    fw::ReportShape* shpDetailEnd = nullptr;

private:
    enum class HoleText { None, Name, Characters };
    CardBand NewCardBand(const char* bandName, const char* prefix, HoleText text);
    void StartReport();
    void CardBeforePrint(CardBand& band, HoleText text, bool& print) const;

    const TfrmTWPrintCards* source_ = nullptr;
    int row_ = 0;
};
