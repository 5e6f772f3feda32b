#include "shell/report_template.h"

#include "foundation/picture_fit.h"
#include "framework/report/report_output.h"
#include "model/model_state.h"
#include "model/user_settings.h"

namespace {

constexpr int FooterHeight = 24;

fw::ReportBand* NewFooter(fw::Report& report)
{
    fw::ReportBand* footer = report.AddBand(fw::ReportBandType::PageFooter, "qrbFooter");
    footer->Height = FooterHeight;
    return footer;
}

} // namespace

int PrintBandHeight(int fontSize, int designedHeight)
{
    switch (fontSize) {
    case 6:
        return 10;
    case 7:
        return 11;
    case 8:
        return 13;
    case 9:
        return 14;
    case 10:
        return 15;
    case 11:
        return 16;
    case 12:
        return 17;
    case 13:
        return 19;
    case 14:
        return 20;
    default:
        return designedHeight;
    }
}

void ShowPictureInBand(fw::ReportBand& band, fw::ReportImage& image, const fw::Bitmap& picture)
{
    const fw::Size fitted =
        FitPictureSize(picture.Width(), picture.Height(), PrintPictureMaxWidth, PrintPictureMaxHeight);
    image.SetPicture(picture);
    image.Stretch = true;
    image.Width = fitted.Width;
    image.Height = fitted.Height;
    band.Height = image.Top + fitted.Height + PrintPictureBandMargin;
}

TfrmPrintTemplate::TfrmPrintTemplate(fw::Component* owner)
    : fw::Form(owner),
      qrbFooter(NewFooter(qrReport)),
      lblVersion(qrbFooter->AddLabel("lblVersion")),
      QRShape1(AddRule(*qrbFooter, "QRShape1", 0)),
      lblPage(qrbFooter->AddSysData("lblPage"))
{
    SetCaption("Print Template");
    const int width = qrReport.ContentWidth();
    lblPage->Text = "Page ";
    lblPage->Font = ReportFont(8);
    lblPage->SetBounds(0, 7, width / 2, 15);
    lblVersion->Caption = std::string(PrintedVersionText);
    lblVersion->Font = ReportFont(8);
    lblVersion->Alignment = fw::Alignment::RightJustify;
    lblVersion->SetBounds(width / 2, 7, width - width / 2, 15);

    const TTWPrinterSettings& printer = UserSettings().Printer;
    qrReport.PrinterIndex = printer.Index;
    qrReport.PaperSize = printer.PaperSize;
}

TfrmPrintTemplate::~TfrmPrintTemplate() = default;

void TfrmPrintTemplate::PreviewOrPrint(bool preview)
{
    if (preview) {
        fw::PreviewReport(qrReport);
    } else {
        fw::PrintReport(qrReport);
    }
}

void TfrmPrintTemplate::DoClose(fw::CloseAction& action)
{
    action = fw::CloseAction::Free;
    fw::Form::DoClose(action);
}

fw::Font TfrmPrintTemplate::ReportFont(int points, bool bold)
{
    fw::Font font;
    font.Name = "Arial";
    font.SetSize(points);
    font.Style.Bold = bold;
    font.Color = fw::clBlack;
    return font;
}

int TfrmPrintTemplate::PrintFontSize()
{
    return UserSettings().Printer.FontSize;
}

fw::ReportLabel* TfrmPrintTemplate::AddCentredLabel(fw::ReportBand& band, const char* name, const fw::Font& font,
                                                    int top, int height)
{
    fw::ReportLabel* label = band.AddLabel(name);
    label->Font = font;
    label->Alignment = fw::Alignment::Center;
    label->SetBounds(0, top, qrReport.ContentWidth(), height);
    return label;
}

fw::ReportShape* TfrmPrintTemplate::AddRule(fw::ReportBand& band, const char* name, int top)
{
    fw::ReportShape* rule = band.AddShape(name);
    rule->Shape = fw::ReportShapeType::HorizontalLine;
    rule->SetBounds(0, top, qrReport.ContentWidth(), 5);
    return rule;
}

TfrmPrintTemplate::PictureBand TfrmPrintTemplate::AddPictureBand(fw::ReportBand& parent, const char* bandName,
                                                                 const char* imageName,
                                                                 std::function<const fw::Bitmap*()> picture)
{
    fw::ReportBand* band = qrReport.AddChildBand(&parent, bandName);
    band->Height = PrintPictureMaxHeight + PrintPictureBandMargin;
    fw::ReportImage* image = band->AddImage(imageName);
    image->SetBounds(0, 0, PrintPictureMaxWidth, PrintPictureMaxHeight);
    band->SetBeforePrint([image, picture = std::move(picture)](fw::ReportBand& printing, bool& print) {
        const fw::Bitmap* shown = picture();
        if (shown == nullptr || shown->Empty()) {
            print = false;
            return;
        }
        ShowPictureInBand(printing, *image, *shown);
    });
    return PictureBand{band, image};
}
