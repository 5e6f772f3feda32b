// Every kind of report saved as a real PDF file (Qt's PDF printer, Qt's fonts), its pages
// counted and, with poppler's tools installed, turned into pictures to look at.

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "controls/radio_button.h"
#include "framework/gui/std_button.h"
#include "framework/report/report_test_tools.h"
#include "model/brocade_pattern.h"
#include "model/card_list.h"
#include "model/palette.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "shell/report_brocade.h"
#include "shell/report_picture.h"
#include "shell/report_threading.h"
#include "shell/report_threading_dialog.h"
#include "shell/report_turning.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"
#include "report_test_support.h"

namespace {

using report_forms_test::FakeActionSource;
using report_forms_test::OutputFolder;
using report_forms_test::ReportFormTest;

// A diamond band in a few colours, as a weaving picture looks.
fw::Bitmap BandPicture(int width, int height)
{
    fw::Bitmap picture(width, height);
    const fw::Color colours[] = {0x20207F, 0xE0C060, 0x3C8C3C, 0xF0F0F0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int cellX = x / 6;
            const int cellY = y / 6;
            const int diamond = (std::abs(cellX % 12 - 6) + std::abs(cellY % 12 - 6)) / 2;
            picture.SetPixel(x, y, colours[diamond % 4]);
        }
    }
    return picture;
}

class ReportPdfTest : public ReportFormTest {
protected:
    ReportPdfTest() { UserSettings().Printer.PaperSize = 9; }

    std::filesystem::path File(const std::string& stem) const { return OutputFolder() / (stem + ".pdf"); }

    // The PDF holds the pages laid out; pdfinfo (when installed) agrees and reads A4; every
    // page becomes stem-N.png to look at, and the first one shows ink.
    void CheckPdf(const std::string& stem)
    {
        const std::filesystem::path file = File(stem);
        ASSERT_TRUE(std::filesystem::exists(file));
        ASSERT_FALSE(pages.empty());
        EXPECT_EQ(report_test::CountPdfPageObjects(file), static_cast<int>(pages.size()));
        if (!report_test::HaveTool("pdfinfo") || !report_test::HaveTool("pdftoppm")) {
            GTEST_SKIP() << "poppler-utils (pdfinfo, pdftoppm) are not installed";
        }
        const auto info = report_test::ReadPdfInfo(file);
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->Pages, static_cast<int>(pages.size()));
        EXPECT_NE(info->PageSize.find("595"), std::string::npos) << info->PageSize;
        const std::filesystem::path prefix = OutputFolder() / stem;
        ASSERT_TRUE(report_test::PdfToPng(file, prefix, 96));
        const std::string first = pages.size() >= 10 ? prefix.string() + "-01.png" : prefix.string() + "-1.png";
        QImage image(QString::fromStdString(first));
        ASSERT_FALSE(image.isNull()) << first;
        int ink = 0;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) {
                ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
            }
        }
        EXPECT_GT(ink, 200);
    }
};

TEST_F(ReportPdfTest, ThreadingDiagram)
{
    TTWCardList cards;
    TTWPalette palette;
    for (int i = 0; i < 40; ++i) {
        std::unique_ptr<TTWCardBase> card = CreateCard(i % 10 == 9 ? 6 : 4);
        for (int hole = 0; hole < card->GetHoleCount(); ++hole) {
            card->SetHoleColour(hole, (i / 4 + hole) % 5 + 1);
        }
        card->SetThreading(i % 2 == 0 ? ThreadingS : ThreadingZ);
        cards.Add(card.release());
    }
    TfrmTWPrintCards dialog;
    PreviewToPdf(File("threading_colours"));
    fw::Form::SetModalRunner([this](fw::Form& form) {
        auto& shown = dynamic_cast<TfrmTWPrintCards&>(form);
        shown.btnAccept->Click();
        CheckPdf("threading_colours");
        PreviewToPdf(File("threading_names"));
        shown.lstColours->Root()->GetItem(0)->SetCellText(1, "Madder");
        shown.lstColours->Root()->GetItem(1)->SetCellText(1, "Woad");
        shown.rbUseNames->SetChecked(true);
        shown.btnAccept->Click();
        form.SetModalResult(fw::mrCancel);
    });

    dialog.Execute(&cards, &palette, "Spring band of forty cards");

    EXPECT_GE(pages.size(), 2u);
    CheckPdf("threading_names");
}

TEST_F(ReportPdfTest, TurningSequence)
{
    FakeActionSource display;
    display.Twist = true;
    display.Picture = BandPicture(900, 180);
    for (int i = 0; i < 70; ++i) {
        display.Rows.push_back({std::to_string(i + 1), i % 3 == 0 ? "1 - 12; 15; 17 - 24" : "1 - 24",
                                i % 3 == 0 ? "13 - 14; 16" : "", i % 7 == 0 ? "5; 20" : ""});
    }
    TfrmTWPrintActionsQR form;
    PreviewToPdf(File("turning"));

    form.PrintActions(&display, "Diamond band", true);

    EXPECT_GE(pages.size(), 2u);
    CheckPdf("turning");
}

TEST_F(ReportPdfTest, BrocadePattern)
{
    TTWBrocadePattern pattern;
    pattern.SetName("Ram's horn");
    pattern.SetWidth(24);
    pattern.SetSize(24, 30);
    for (int i = 0; i < 30; ++i) {
        std::string wefts(24, '0');
        for (int card = 0; card < 24; ++card) {
            if ((card + i) % 5 < 2) {
                wefts[static_cast<std::size_t>(card)] = '1';
            } else if ((card + i) % 7 == 0) {
                wefts[static_cast<std::size_t>(card)] = '3';
            }
        }
        pattern.BrocadePicks().GetPick(i)->SetWefts(wefts);
    }
    TTWPattern ground;
    pattern.SetGroundWeave(&ground);
    FakeActionSource display;
    display.Twist = true;
    for (int i = 0; i < 30; ++i) {
        display.Rows.push_back({std::to_string(i + 1), "1 - 24", "", i % 4 == 0 ? "12" : ""});
    }
    const fw::Bitmap picture = BandPicture(400, 300);
    TfrmPrintBrocadePattern form;
    form.SetGroundDisplay(&display, PrintColumnsAll);
    PreviewToPdf(File("brocade"));

    form.PrintPattern(&pattern, &picture, true, 1, 1);

    EXPECT_GE(pages.size(), 2u);
    CheckPdf("brocade");
}

TEST_F(ReportPdfTest, PictureInSlices)
{
    const fw::Bitmap picture = BandPicture(500, 2300);
    TfrmTWPrintImage form;
    PreviewToPdf(File("picture"));

    form.PrintImage(&picture, "Diamond band", false, true, "Wool on linen, 24 cards.");

    EXPECT_EQ(pages.size(), 3u);
    CheckPdf("picture");
}

TEST_F(ReportPdfTest, PictureFittedToOnePage)
{
    const fw::Bitmap picture = BandPicture(500, 2300);
    TfrmTWPrintImage form;
    PreviewToPdf(File("picture_fitted"));

    form.PrintImage(&picture, "Diamond band", true, true, "");

    EXPECT_EQ(pages.size(), 1u);
    CheckPdf("picture_fitted");
}

} // namespace
