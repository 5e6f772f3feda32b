#include "start_window.h"

#include <utility>

#include "framework/core/canvas.h"

namespace {

// Text starts this far inside its panel.
constexpr int Margin = 12;

} // namespace

StartPanel::StartPanel(fw::Component* owner) : fw::CustomControl(owner)
{
    SetColor(fw::clBtnFace);
}

void StartPanel::SetFiles(std::vector<std::string> files)
{
    files_ = std::move(files);
    Invalidate();
}

void StartPanel::PaintPanel(const fw::Rect& rect, bool raised)
{
    fw::Canvas& canvas = Canvas();
    canvas.Brush().Color = fw::clBtnFace;
    canvas.FillRect(rect);
    canvas.DrawEdge(rect, raised ? fw::EDGE_RAISED : fw::EDGE_SUNKEN, fw::BF_RECT);
}

void StartPanel::Paint()
{
    fw::Canvas& canvas = Canvas();
    const fw::Rect client = ClientRect();
    canvas.Brush().Color = fw::clBtnFace;
    canvas.FillRect(client);

    // The title band.
    const fw::Rect title{8, 8, client.Right - 8, 72};
    PaintPanel(title, true);
    canvas.Brush().Style = fw::BrushStyle::Clear;
    canvas.Font().Name = "Arial";
    canvas.Font().SetSize(20);
    canvas.Font().Style.Bold = true;
    canvas.Font().Color = fw::clNavy;
    canvas.TextOut(title.Left + Margin, title.Top + 10, "Tavelin");
    const int titleWidth = canvas.TextWidth("Tavelin");
    canvas.Font().SetSize(10);
    canvas.Font().Style.Bold = false;
    canvas.Font().Color = fw::clWindowText;
    canvas.TextOut(title.Left + Margin + titleWidth + 16, title.Top + 24, "Designing tablet-woven bands");

    // What the program was asked to open.
    const fw::Rect files{8, 80, client.Right - 8, client.Bottom - 44};
    PaintPanel(files, false);
    const int line = canvas.TextHeight("X") + 2;
    int y = files.Top + Margin;
    canvas.Font().Style.Bold = true;
    canvas.TextOut(files.Left + Margin, y, files_.empty() ? "No file to open" : "Files to open:");
    canvas.Font().Style.Bold = false;
    for (const std::string& file : files_) {
        y += line;
        canvas.TextRect(fw::Rect{files.Left + Margin, y, files.Right - Margin, files.Bottom - 2},
                        files.Left + Margin + 16, y, file);
    }

    // The status line.
    const fw::Rect status{8, client.Bottom - 36, client.Right - 8, client.Bottom - 8};
    PaintPanel(status, false);
    canvas.Font().Color = fw::clGrayText;
    canvas.TextOut(status.Left + Margin, status.Top + 6, "Tavelin 1.17");
    canvas.Brush().Style = fw::BrushStyle::Solid;
}

StartWindow::StartWindow(fw::Component* owner, std::vector<std::string> files) : fw::Form(owner)
{
    SetCaption("Tavelin");
    SetPosition(fw::FormPosition::ScreenCenter);
    SetBounds(0, 0, 560, 360);
    auto* panel = new StartPanel(this);
    panel->SetParent(this);
    panel->SetAlign(fw::Align::Client);
    panel->SetFiles(std::move(files));
    FinishLoading();
}
