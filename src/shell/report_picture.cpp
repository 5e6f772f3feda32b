#include "shell/report_picture.h"

#include <algorithm>
#include <cmath>

#include "foundation/picture_fit.h"
#include "framework/core/bitmap.h"
#include "framework/core/strings.h"
#include "framework/gui/window_helpers.h"
#include "shell/report_picture_dialog.h"

namespace {

constexpr int TitleDesignedHeight = 54;
constexpr int DescriptionTop = 30;
constexpr int DescriptionHeight = 20;

} // namespace

TfrmTWPrintImage::TfrmTWPrintImage(fw::Component* owner) : TfrmPrintTemplate(owner)
{
    SetCaption("Print Image");
    qrReport.Title = "Image";
    const int width = qrReport.ContentWidth();

    qrbTitle = qrReport.AddBand(fw::ReportBandType::Title, "qrbTitle");
    qrbTitle->Height = TitleDesignedHeight;
    lblTitle = AddCentredLabel(*qrbTitle, "lblTitle", ReportFont(16, true), 0, 26);
    lblDescription = qrbTitle->AddLabel("lblDescription");
    lblDescription->Font = ReportFont(10);
    lblDescription->WordWrap = true;
    lblDescription->AutoStretch = true;
    lblDescription->SetBounds(0, DescriptionTop, width, DescriptionHeight);
    qrbTitle->SetAfterPrint([this](fw::ReportBand&, bool) { TitleAfterPrint(); });

    qrbImage = qrReport.AddBand(fw::ReportBandType::Detail, "qrbImage");
    imgPattern = qrbImage->AddImage("imgPattern");
    qrbImage->SetBeforePrint([this](fw::ReportBand&, bool& print) { ImageBeforePrint(print); });

    qrReport.SetOnStartReport([this](fw::Report&) { StartReport(); });
    qrReport.SetOnNeedData([this](fw::Report&, bool& more) {
        more = picture_ != nullptr && picture_->Height() > offset_;
    });
}

TfrmTWPrintImage::~TfrmTWPrintImage() = default;

TfrmTWPrintImageInfo& TfrmTWPrintImage::DetailsDialog()
{
    if (details_ == nullptr) {
        details_ = new TfrmTWPrintImageInfo(this);
    }
    return *details_;
}

void TfrmTWPrintImage::PrintImage(const fw::Bitmap* picture, const std::string& title, bool sizeToFit, bool preview,
                                  const std::string& description)
{
    imgPattern->Stretch = sizeToFit;
    sizeToFit_ = sizeToFit;
    lblTitle->Caption = title;
    lblDescription->Caption = description;
    qrbTitle->Height = TitleDesignedHeight;
    lblDescription->Enabled = !fw::Trim(description).empty();
    if (!lblDescription->Enabled) {
        qrbTitle->Height -= lblDescription->Height;
    }
    picture_ = picture;
    if (picture_ != nullptr) {
        imgPattern->SetPicture(*picture_);
        imgPattern->Width = picture_->Width();
        imgPattern->Height = picture_->Height();
    } else {
        imgPattern->ClearPicture();
    }
    PreviewOrPrint(preview);
}

void TfrmTWPrintImage::StartReport()
{
    // Each run starts at the picture's top: the preview runs the report again whenever it
    // repaints.
    offset_ = 0;
}

int TfrmTWPrintImage::FullPageImageHeight() const
{
    const fw::ReportPageSetup& page = qrReport.PageSetup();
    return std::max(1, qrReport.ReportHeight() - page.TopMargin - page.BottomMargin - qrbFooter->Height);
}

void TfrmTWPrintImage::TitleAfterPrint()
{
    const fw::ReportPageSetup& page = qrReport.PageSetup();
    const int titleHeight = qrbTitle->PrintedHeight();
    // Half the title band's height in millimetres, as a little room under the picture.
    const int correction = static_cast<int>(std::lround(titleHeight * 25.4 / fw::ScreenPixelsPerInch / 2.0));
    qrbImage->Height =
        qrReport.ReportHeight() - page.TopMargin - page.BottomMargin - qrbFooter->Height - titleHeight - correction;
}

void TfrmTWPrintImage::ImageBeforePrint(bool& print)
{
    if (picture_ == nullptr || picture_->Empty() || offset_ >= picture_->Height()) {
        print = false;
        offset_ = picture_ != nullptr ? picture_->Height() : 0;
        return;
    }
    if (offset_ > 0) {
        // Every slice after the first fills a page of its own.
        qrbImage->Height = FullPageImageHeight();
    } else if (qrbImage->Height < 1) {
        // The title leaves no room on the first page: the picture starts on the next one.
        // (A band of no height would print no rows and ask for the same rows for ever.)
        qrbImage->Height = FullPageImageHeight();
    }
    const int bandHeight = qrbImage->Height;
    const int width = picture_->Width();
    const int height = picture_->Height();
    imgPattern->Left = 0;
    imgPattern->Top = 0;
    if (sizeToFit_) {
        fw::Size size{width, height};
        if (width > qrReport.ContentWidth() || height > bandHeight) {
            size = FitPictureSize(width, height, qrReport.ContentWidth(), bandHeight);
        }
        imgPattern->SetPicture(*picture_);
        imgPattern->Stretch = true;
        imgPattern->Width = size.Width;
        imgPattern->Height = size.Height;
        offset_ = height + 1;
        return;
    }
    const int sliceEnd = std::min(offset_ + bandHeight, height);
    fw::Bitmap slice(width, sliceEnd - offset_);
    slice.CopyRect(0, 0, *picture_, fw::Rect{0, offset_, width, sliceEnd});
    imgPattern->SetPicture(slice);
    imgPattern->Stretch = false;
    imgPattern->Width = width;
    imgPattern->Height = slice.Height();
    offset_ = sliceEnd;
}

void PrintWithDetails(TfrmTWPrintImage& report, const fw::Bitmap* picture, bool preview,
                      const fw::Control* centreOver)
{
    TfrmTWPrintImageInfo& dialog = report.DetailsDialog();
    if (centreOver != nullptr) {
        dialog.SetPosition(fw::FormPosition::Designed);
        CentreControlOver(centreOver, dialog);
    } else {
        dialog.SetPosition(fw::FormPosition::ScreenCenter);
    }
    if (dialog.Execute("", "")) {
        report.PrintImage(picture, dialog.ImageTitle(), dialog.SizeToFit(), preview, dialog.Description());
    }
}
