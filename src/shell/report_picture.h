#pragma once

#include <string>

#include "shell/report_template.h"

class TfrmTWPrintImageInfo;

// A printed picture under a title and a description: shrunk to fit one page, or at its own
// size in horizontal slices, one page each, down to its last row.
//
// Bands: the title band (title and description); the detail band qrbImage, one slice a
// row.
class TfrmTWPrintImage : public TfrmPrintTemplate {
public:
    explicit TfrmTWPrintImage(fw::Component* owner = nullptr);
    ~TfrmTWPrintImage() override;

    std::string_view className() const override { return "TfrmTWPrintImage"; }

    // Prints the picture (not owned; it must outlive the printing) under the title and the
    // description; a blank description leaves its line out. Then previews or prints.
    void PrintImage(const fw::Bitmap* picture, const std::string& title, bool sizeToFit, bool preview,
                    const std::string& description);

    // The details dialog, made on first use and owned by this form.
    TfrmTWPrintImageInfo& DetailsDialog();

    fw::ReportBand* qrbTitle = nullptr;
    fw::ReportLabel* lblTitle = nullptr;
    fw::ReportLabel* lblDescription = nullptr;
    fw::ReportBand* qrbImage = nullptr;
    fw::ReportImage* imgPattern = nullptr;

private:
    void StartReport();
    void TitleAfterPrint();
    void ImageBeforePrint(bool& print);
    // The band height of a page that holds nothing but the picture.
    int FullPageImageHeight() const;

    bool sizeToFit_ = true;
    // The rows of the picture printed so far.
    int offset_ = 0;
    const fw::Bitmap* picture_ = nullptr;
    TfrmTWPrintImageInfo* details_ = nullptr;
};

// Asks for the title, description and fit of a picture in the report's details dialog
// (centred over centreOver, or the screen without it), starting empty, and prints the
// picture when the user accepts.
void PrintWithDetails(TfrmTWPrintImage& report, const fw::Bitmap* picture, bool preview,
                      const fw::Control* centreOver = nullptr);
