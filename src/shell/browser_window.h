#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/basic_form.h"
#include "framework/gui/message.h"
#include "shell/browser_items.h"
#include "shell/window_factory.h"

class TfrmTWBrowserFrame;
class TfrmTWMain;
class TILBrushPanel;
class TILScrollBox;

namespace fw {
class Button;
class SpeedButton;
} // namespace fw

// "Pattern Browser": every pattern file of one folder as a thumbnail with its file name,
// kind and card count, laid out in rows; a double click opens the file. Refresh draws the
// thumbnails of new and changed files again (the folder's cache keeps the others), Rebuild
// draws them all. An MDI child of the main window that frees itself when it is closed; the
// folder it showed is remembered for the next browser of the run.
class TfrmTWBrowser : public TfrmTBasic, public ITWBrowserWindow {
public:
    // Shown by the Refresh command while it works.
    static constexpr const char* UpdatingText = "Updating Thumbnails...";

    explicit TfrmTWBrowser(TfrmTWMain& main);
    ~TfrmTWBrowser() override;

    std::string_view className() const override { return "TfrmTWBrowser"; }

    // --- Components -----------------------------------------------------------------------
    TILBrushPanel* const pnlDir;
    fw::SpeedButton* const btnSelDir;
    TILBrushPanel* const pnlDirName;
    TILScrollBox* const scrPatterns;
    fw::Button* const btnRefresh;
    fw::Button* const btnRebuild;
    TILBrushPanel* const pnlClose;
    fw::Button* const btnClose;

    // --- The folder -------------------------------------------------------------------------
    // What the folder panel shows.
    std::string BrowseFolder() const override;
    // Puts the folder into the folder panel, unless the window shows the folder remembered
    // from an earlier browser of this run: then that one stays, so that the panel never
    // names another folder than the thumbnails show.
    void SetBrowseFolder(const std::string& folder) override;

    // --- The thumbnails ---------------------------------------------------------------------
    // Refresh (rebuild false) and Rebuild: with the hourglass and "Updating Thumbnails..."
    // in place of the thumbnails, the folder of the panel is brought up to date and its
    // thumbnails shown again; the hourglass, the panel and the thumbnails come back however
    // the update ends. Patterns that could not be shown are reported once all the others
    // show. Nothing while an update runs.
    void UpdateThumbnails(bool rebuild);
    const TTWBrowserItemList& Items() const { return *items_; }
    // The frames shown, in list order.
    const std::vector<TfrmTWBrowserFrame*>& Frames() const { return frames_; }
    // Places the frames left to right in rows as wide as the scroll box, each row as high
    // as its highest frame, from the top-left corner; also on every resize.
    void LayoutFrames();

    // The folder dialog, starting at the shown folder; a different folder is shown and
    // refreshed.
    void btnSelDirClick();
    // Opens the frame's file in an editor (failures raise).
    void OpenFrameFile(const TfrmTWBrowserFrame& frame);

    // The folder the last browser of this run showed as it closed; none before.
    static const std::optional<std::string>& RememberedFolder();
    static void ForgetRememberedFolderForTests();

protected:
    void FormCreate() override;
    void DoActivate() override;
    void DoClose(fw::CloseAction& action) override;

private:
    void BuildLayout();
    void FreeFrames();
    void RebuildFrames();
    void ShowUpdating(bool updating);
    void ReportFailures(const std::vector<TTWBrowserFailure>& failures);
    // The main window while it is there and not going.
    TfrmTWMain* Main() const;

    fw::WeakRef<fw::Form> main_;
    std::unique_ptr<TTWBrowserItemList> items_;
    std::vector<TfrmTWBrowserFrame*> frames_;
    bool showsRememberedFolder_ = false;
    bool updating_ = false;
    bool layingOut_ = false;
};

// Makes the pattern browser part of the program: the main window's Browse commands make one.
void RegisterBrowser();
