#pragma once

#include <array>
#include <vector>

#include "shell/report_action_source.h"
#include "shell/report_template.h"

class TTWBrocadePattern;

// The printed brocade pattern: for every brocade pick one row per weft in use, with the
// pick number, the weft's letter and the cards at which that weft is tied down, and, with
// a ground weave, the ground's turns of the pick.
//
// Brocade pick n lies over pick n of the ground. The display may list only some of the
// ground's picks (a double-face ground weaves each row as two alike picks and lists the
// first): a pick it does not list prints the turns of the last pick listed before it.
//
// Bands: the (empty) title band; hanging from it, printed once on the first page, the
// caption qrbCaption ("Brocade Pattern:" and the name), the picture band bandImage and the
// headings qrbHeadings (in that order); the detail band qrbPick, one per printed row, with
// its children qrbGroundWeave (the ground's turns, on a pick's last row) and qrbLine (the
// separating line: dotted between the rows of one pick, solid after its last).
class TfrmPrintBrocadePattern : public TfrmPrintTemplate {
public:
    explicit TfrmPrintBrocadePattern(fw::Component* owner = nullptr);
    ~TfrmPrintBrocadePattern() override;

    std::string_view className() const override { return "TfrmPrintBrocadePattern"; }

    // The display window listing the ground weave's turns (not owned) and which of its
    // columns print (PrintColumnForwards | ...). Without a display no ground section prints.
    void SetGroundDisplay(const ITWPrintActionSource* display, int columnChoice);

    // Prints the pattern (not owned; it must outlive the printing) with the picture (none:
    // no picture band), numbering the picks from firstPick and the cards of the tie-down
    // ranges from firstCard; previews or prints.
    void PrintPattern(const TTWBrocadePattern* pattern, const fw::Bitmap* picture, bool preview, int firstCard,
                      int firstPick);

    fw::ReportBand* qrbTitle = nullptr;
    fw::ReportBand* qrbCaption = nullptr;
    fw::ReportLabel* lblCaptionText = nullptr;
    fw::ReportLabel* lblPatternName = nullptr;
    fw::ReportBand* bandImage = nullptr;
    fw::ReportImage* imgPattern = nullptr;
    fw::ReportBand* qrbHeadings = nullptr;
    fw::ReportLabel* lblCapPick = nullptr;
    fw::ReportLabel* lblCapTieDowns = nullptr;
    fw::ReportLabel* lblCapWeft = nullptr;
    fw::ReportBand* qrbPick = nullptr;
    fw::ReportLabel* lblPick = nullptr;
    fw::ReportLabel* lblTieDowns = nullptr;
    fw::ReportLabel* lblWeft = nullptr;
    fw::ReportBand* qrbGroundWeave = nullptr;
    fw::ReportLabel* lblGround = nullptr;
    fw::ReportLabel* lblF = nullptr;
    fw::ReportLabel* lblB = nullptr;
    fw::ReportLabel* lblT = nullptr;
    fw::ReportLabel* lblGroundF = nullptr;
    fw::ReportLabel* lblGroundB = nullptr;
    fw::ReportLabel* lblGroundT = nullptr;
    fw::ReportBand* qrbLine = nullptr;
    fw::ReportShape* qrLine = nullptr;

private:
    bool HasGround() const;
    void PrepareGroundSection();
    void StartReport();
    void NeedData(bool& more) const;
    void PickBeforePrint(bool& print);
    void AdvanceRow();
    // Which row of the ground display lists the turns of each brocade pick.
    void MapGroundRows();

    const TTWBrocadePattern* pattern_ = nullptr;
    const fw::Bitmap* picture_ = nullptr;
    int firstPick_ = 1;
    int firstCard_ = 1;
    int weftsInUse_ = 0;
    // Index 1 to 5: whether that weft is used.
    std::array<bool, 6> weftUsed_{};
    int lowestWeft_ = 0;
    int highestWeft_ = 0;
    int pickRow_ = 0;
    int currentWeft_ = 0;
    // Set by the pick row for its ground band, which follows it.
    bool groundRowDue_ = false;
    const ITWPrintActionSource* groundDisplay_ = nullptr;
    int groundColumns_ = PrintColumnsAll;
    // By brocade pick (0-based): the display's row, -1 for none.
    std::vector<int> groundRows_;
};
