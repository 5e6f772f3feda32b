#pragma once

#include <string>

#include "shell/report_action_source.h"
#include "shell/report_template.h"

// The printed turning sequence: one row per pick with the cards turned forwards, turned
// backwards and twisted, read from the turning-action display window, under a title with
// the band's picture.
//
// Bands: the title band; hanging from it, printed once on the first page, a line, the
// picture band qrbImage and the column headings qrbCaptions (in that order); the detail
// band qrbActions, one per row of the display.
class TfrmTWPrintActionsQR : public TfrmPrintTemplate {
public:
    explicit TfrmTWPrintActionsQR(fw::Component* owner = nullptr);
    ~TfrmTWPrintActionsQR() override;

    std::string_view className() const override { return "TfrmTWPrintActionsQR"; }

    // Keeps the display (not owned), titles the report, numbers its pages "<title>: Page n",
    // shows the picture band only when the display has a picture and "Print Image" is
    // checked; then previews or prints.
    void PrintActions(const ITWPrintActionSource* display, const std::string& title, bool preview);

    // Which turning columns print (PrintColumnForwards | ...); all three when the form is
    // made. The twist column prints only when the display's picks hold a twist.
    int ColumnChoice() const { return columnChoice_; }
    void SetColumnChoice(int choice) { columnChoice_ = choice; }

    fw::ReportBand* qrbTitle = nullptr;
    fw::ReportLabel* lblCaption = nullptr;
    fw::ReportLabel* lblTitle = nullptr;
    fw::ReportBand* qrbLine = nullptr;
    fw::ReportShape* shpLine = nullptr;
    fw::ReportBand* qrbImage = nullptr;
    fw::ReportImage* imgPicture = nullptr;
    fw::ReportBand* qrbCaptions = nullptr;
    fw::ReportLabel* lblCapPick = nullptr;
    fw::ReportLabel* lblCapForwards = nullptr;
    fw::ReportLabel* lblCapBackwards = nullptr;
    fw::ReportLabel* lblCapTwist = nullptr;
    fw::ReportBand* qrbActions = nullptr;
    fw::ReportLabel* lblPick = nullptr;
    fw::ReportLabel* lblForwards = nullptr;
    fw::ReportLabel* lblBackwards = nullptr;
    fw::ReportLabel* lblTwist = nullptr;

private:
    void StartReport();
    void NeedData(bool& more) const;
    void ActionsBeforePrint();
    bool ImageWanted() const;
    void LayOutColumns();

    const ITWPrintActionSource* display_ = nullptr;
    int columnChoice_ = PrintColumnsAll;
    int row_ = 0;
};
