#pragma once

// The report forms under test: the model's settings, the control library for the dialogs,
// text measured by the fake backend (6 units a character, 13 a line), and a preview that
// lays the report out (or saves it as a PDF) instead of opening a window.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/forms_libraries.h"
#include "framework/core/bitmap.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/application.h"
#include "framework/gui/control.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "framework/gui/message.h"
#include "framework/report/report_output.h"
#include "framework/report/report_pager.h"
#include "framework/report/report_paper.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/report_action_source.h"

namespace report_forms_test {

inline std::filesystem::path OutputFolder()
{
    std::filesystem::path folder = std::filesystem::path(TAVELIN_SHELL_TEST_OUTPUT) / "reports";
    std::filesystem::create_directories(folder);
    return folder;
}

// The turning-action display as the reports read it.
class FakeActionSource : public ITWPrintActionSource {
public:
    // Pick, forwards, backwards, twist.
    using Row = std::array<std::string, 4>;

    std::vector<Row> Rows;
    bool Twist = false;
    std::optional<fw::Bitmap> Picture;
    bool PrintImage = true;

    int PrintRowCount() const override { return static_cast<int>(Rows.size()); }
    std::string PrintCell(int row, std::string_view columnId) const override
    {
        if (row < 0 || row >= PrintRowCount()) {
            return {};
        }
        const Row& cells = Rows[static_cast<std::size_t>(row)];
        if (columnId == "PICK") {
            return cells[0];
        }
        if (columnId == "FORWARDS") {
            return cells[1];
        }
        if (columnId == "BACKWARDS") {
            return cells[2];
        }
        return columnId == "TWIST" ? cells[3] : std::string();
    }
    bool PrintPicksHaveTwist() const override { return Twist; }
    const fw::Bitmap* PrintPicture() const override { return Picture ? &*Picture : nullptr; }
    bool PrintImageChecked() const override { return PrintImage; }
};

// The setting up happens in the constructor and the tidying in the destructor, so that
// the forms a test fixture holds are made after the model and the control library exist
// and are gone before they end.
class ReportFormTest : public ::testing::Test {
protected:
    ReportFormTest()
    {
        ResetModelForTests();
        fw::ClearPostedMessages();
        fw::Screen::Instance().SetSize(1200, 900);
        previousBackend_ = fw::DefaultPaintBackend();
        fw::SetDefaultPaintBackend(&backend);
        // No printer: printing falls back to the preview, so nothing ever reaches a real
        // printer from a test.
        fw::SetPrinterListProvider([] { return fw::PrinterList{}; });
    }

    ~ReportFormTest() override
    {
        fw::SetPrinterListProvider({});
        fw::Form::SetModalRunner({});
        fw::ClearPostedMessages();
        fw::SetDefaultPaintBackend(previousBackend_);
    }

private:
    // Made before the members below and gone after them.
    TILFormsLibraries libraries_;

protected:
    // From now on a preview saves the report as this PDF file instead of laying it out
    // with the fake backend.
    void PreviewToPdf(const std::filesystem::path& file) { pdfFile_ = file; }

    // The items of that name on every page, in order.
    std::vector<const fw::PlacedItem*> AllItems(std::string_view name) const
    {
        std::vector<const fw::PlacedItem*> found;
        for (const auto& page : pages) {
            for (const fw::PlacedItem* item : page.ItemsNamed(name)) {
                found.push_back(item);
            }
        }
        return found;
    }
    std::vector<std::string> AllTexts(std::string_view name) const
    {
        std::vector<std::string> texts;
        for (const fw::PlacedItem* item : AllItems(name)) {
            texts.push_back(item->Text());
        }
        return texts;
    }
    int CountBands(std::string_view name) const
    {
        int count = 0;
        for (const auto& page : pages) {
            count += page.CountBands(name);
        }
        return count;
    }

    fw::FakePaintBackend backend;
    fw::ReportPages pages;
    int previews = 0;
    fw::ScopedHandler<fw::ReportPreviewHandler> preview{&fw::SetReportPreviewHandler,
                                                        [this](fw::Report& report) { Preview(report); }};

private:
    void Preview(fw::Report& report)
    {
        ++previews;
        if (pdfFile_.empty()) {
            pages = fw::PaginateReport(report, backend);
        } else {
            pages = fw::ExportReportToPdf(report, pdfFile_.string());
        }
    }

    fw::PaintBackend* previousBackend_ = nullptr;
    std::filesystem::path pdfFile_;
};

} // namespace report_forms_test
