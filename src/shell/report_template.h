#pragma once

#include <functional>
#include <string_view>

#include "framework/core/bitmap.h"
#include "framework/gui/form.h"
#include "framework/report/report_model.h"

// The page every printed report shares: a footer with the page number, a line and the
// program's version; the printer and paper of the user's settings; preview or print.

// The version line at the foot of every printed page.
inline constexpr std::string_view PrintedVersionText = "Tavelin V1.17";

// The height of a detail band whose labels print at the user's print font size: 6 -> 10,
// 7 -> 11, 8 -> 13, 9 -> 14, 10 -> 15, 11 -> 16, 12 -> 17, 13 -> 19, 14 -> 20; any other
// size keeps the designed height.
int PrintBandHeight(int fontSize, int designedHeight);

// The largest picture a report prints in its picture band, and what the band adds below it.
inline constexpr int PrintPictureMaxWidth = 643;
inline constexpr int PrintPictureMaxHeight = 200;
inline constexpr int PrintPictureBandMargin = 5;

// The picture band of a report: the image shows the picture fitted into 643 x 200 (its own
// size when it fits, else shrunk keeping its proportions), and the band is 5 units taller
// than the fitted picture.
void ShowPictureInBand(fw::ReportBand& band, fw::ReportImage& image, const fw::Bitmap& picture);

// The base of every report form. The form is never shown: it holds the report and runs it.
// Closing it frees it.
class TfrmPrintTemplate : public fw::Form {
public:
    explicit TfrmPrintTemplate(fw::Component* owner = nullptr);
    ~TfrmPrintTemplate() override;

    std::string_view className() const override { return "TfrmPrintTemplate"; }

    // One column, portrait; A4 until a printer gives its own paper. Printer index and paper
    // size come from the user's settings as the form is made.
    fw::Report qrReport;
    fw::ReportBand* const qrbFooter;
    // "Tavelin V1.17", right-aligned.
    fw::ReportLabel* const lblVersion;
    // The line across the top of the footer.
    fw::ReportShape* const QRShape1;
    // The page number after "Page ".
    fw::ReportSysData* const lblPage;

    // Runs the report in the preview window, or straight to the printer.
    void PreviewOrPrint(bool preview);

protected:
    void DoClose(fw::CloseAction& action) override;

    // A font of the report: Arial in black.
    static fw::Font ReportFont(int points, bool bold = false);
    // The user's print font size.
    static int PrintFontSize();

    // What the reports' bands are built of. A label across the report's width with its text
    // centred: the heading lines.
    fw::ReportLabel* AddCentredLabel(fw::ReportBand& band, const char* name, const fw::Font& font, int top,
                                     int height);
    // A horizontal line across the report's width, 5 units high.
    fw::ReportShape* AddRule(fw::ReportBand& band, const char* name, int top);

    // The picture band, a child of parent, designed as high as the largest picture with its
    // image at that size. Before it prints it shows the picture that picture() answers, as
    // ShowPictureInBand fits it; with none, or an empty one, it is left out.
    struct PictureBand {
        fw::ReportBand* Band;
        fw::ReportImage* Image;
    };
    PictureBand AddPictureBand(fw::ReportBand& parent, const char* bandName, const char* imageName,
                               std::function<const fw::Bitmap*()> picture);
};
