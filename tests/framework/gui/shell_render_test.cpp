// A small main window in the shape the program's is (a tool bar of speed buttons, an MDI
// client area with two pattern windows, the notes window docked on the right behind a
// splitter) painted with the real Qt text backend and written out as a picture to look at.

#include <gtest/gtest.h>

#include <QImage>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/canvas.h"
#include "framework/gui/form.h"
#include "framework/gui/mdi.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_control_bar.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/std_splitter.h"
#include "framework/gui/window_frame.h"
#include "docking_arrangement.h"

using namespace fw;

namespace {

constexpr Color Key = clFuchsia;

// The 16 x 16 tool glyphs, drawn on the magenta key colour.
Bitmap Glyph(int kind)
{
    Bitmap glyph(16, 16);
    Canvas canvas(glyph);
    canvas.Brush() = Brush{Key};
    canvas.FillRect(glyph.Bounds());
    canvas.Pen() = Pen{0x404040};
    switch (kind) {
    case 0: { // an open folder
        canvas.Brush() = Brush{0x4CC8F0};
        const std::array<Point, 6> folder{Point{1, 4}, Point{6, 4}, Point{7, 5}, Point{14, 5}, Point{14, 13}, Point{1, 13}};
        canvas.Polygon(folder);
        canvas.Brush() = Brush{0x8CE4FF};
        const std::array<Point, 4> flap{Point{3, 8}, Point{15, 8}, Point{13, 13}, Point{1, 13}};
        canvas.Polygon(flap);
        break;
    }
    case 1: // a disk
        canvas.Brush() = Brush{0x8B4513};
        canvas.Rectangle(Rect{2, 2, 14, 14});
        canvas.Brush() = Brush{clWhite};
        canvas.Rectangle(Rect{4, 2, 12, 8});
        canvas.Brush() = Brush{0xC0C0C0};
        canvas.FillRect(Rect{5, 10, 11, 14});
        break;
    case 2: // a printer
        canvas.Brush() = Brush{clWhite};
        canvas.Rectangle(Rect{4, 1, 12, 7});
        canvas.Brush() = Brush{0xA0A0A0};
        canvas.Rectangle(Rect{1, 6, 15, 12});
        canvas.Brush() = Brush{clWhite};
        canvas.Rectangle(Rect{4, 10, 12, 15});
        break;
    case 3: // a grid
        canvas.Brush() = Brush{clWhite};
        canvas.Rectangle(Rect{1, 1, 15, 15});
        for (int i = 4; i < 14; i += 3) {
            canvas.MoveTo(i, 2);
            canvas.LineTo(i, 14);
            canvas.MoveTo(2, i);
            canvas.LineTo(14, i);
        }
        break;
    case 4: // a magnifier
        canvas.Pen() = Pen{0x303030, 2};
        canvas.Brush() = Brush{0xF8E8C8};
        canvas.Ellipse(Rect{1, 1, 11, 11});
        canvas.MoveTo(10, 10);
        canvas.LineTo(14, 14);
        canvas.Pen() = Pen{0x303030};
        canvas.MoveTo(4, 6);
        canvas.LineTo(9, 6);
        canvas.MoveTo(6, 4);
        canvas.LineTo(6, 9);
        break;
    default: { // an undo arrow
        canvas.Brush() = Brush{0x2060C0};
        const std::array<Point, 7> arrow{Point{1, 6}, Point{6, 1}, Point{6, 4}, Point{13, 4},
                                         Point{13, 12}, Point{9, 12}, Point{6, 9}};
        canvas.Polygon(arrow);
        break;
    }
    }
    return glyph;
}

// The face of a pattern window: a woven-looking band of coloured cells on white.
class BandView : public CustomControl {
public:
    BandView(Component* owner, std::vector<fw::Color> colours) : CustomControl(owner), colours_(std::move(colours))
    {
        SetColor(clWindow);
    }

protected:
    void Paint() override
    {
        fw::Canvas& canvas = Canvas();
        canvas.Brush() = Brush{clWindow};
        canvas.FillRect(ClientRect());
        const int cell = 10;
        for (int row = 0; row * cell + 8 < Height() - 8; ++row) {
            for (int column = 0; column * cell + 8 < Width() - 8; ++column) {
                const std::size_t pick = static_cast<std::size_t>((row + column) / 3 + (row - column + 64) / 4);
                canvas.Pen() = Pen{0x606060};
                canvas.Brush() = Brush{colours_[pick % colours_.size()]};
                const int x = 8 + column * cell;
                const int y = 8 + row * cell;
                const std::array<Point, 4> cellShape{Point{x + cell / 2, y}, Point{x + cell, y + cell / 2},
                                                     Point{x + cell / 2, y + cell}, Point{x, y + cell / 2}};
                canvas.Polygon(cellShape);
            }
        }
    }

private:
    std::vector<fw::Color> colours_;
};

// Lines of text on white, as the notes memo shows them.
class NotesPad : public CustomControl {
public:
    explicit NotesPad(Component* owner) : CustomControl(owner) { SetColor(clWindow); }

protected:
    void Paint() override
    {
        fw::Canvas& canvas = Canvas();
        canvas.Brush() = Brush{clWindow};
        canvas.FillRect(ClientRect());
        canvas.Pen() = Pen{clBtnShadow};
        canvas.Brush().Style = BrushStyle::Clear;
        canvas.Rectangle(ClientRect());
        canvas.Font() = Font();
        const std::vector<std::string> lines{"Warp: 8/2 cotton,", "24 cards, 4 holes.", "Turn forward 4,",
                                             "back 4; repeat."};
        int y = 4;
        for (const std::string& line : lines) {
            canvas.TextOut(5, y, line);
            y += canvas.TextHeight(line) + 1;
        }
    }
};

class MainWindow : public Form {
public:
    MainWindow()
    {
        SetCaption("Tavelin");
        SetBounds(0, 0, 640, 420);
        SetFormStyle(FormStyle::MDIForm);
        const DockingArrangement docking = AddDockingArrangement(*this);
        dock = docking.dock;
        splitter = docking.splitter;
        tools = docking.tools;
        AddBand({0, 1, 2}, 0);
        AddBand({3, 4, 5}, 100);
        FinishLoading();
        tools->SetRowSize(buttons.front()->Height() + 4);
        dock->SetOnDockDrop([this](Object*, DragDockObject*, int, int) {
            splitter->Show();
            dock->SetWidth(150);
        });
    }

    void AddBand(const std::vector<int>& glyphs, int left)
    {
        auto* band = new Panel(this);
        band->SetParent(tools);
        band->SetBevelOuter(PanelBevel::None);
        band->SetBounds(left, 2, static_cast<int>(glyphs.size()) * 23, 22);
        for (std::size_t i = 0; i < glyphs.size(); ++i) {
            auto* button = new SpeedButton(this);
            button->SetParent(band);
            button->SetFlat(true);
            button->SetLeft(static_cast<int>(i) * 23);
            button->SetGlyph(Glyph(glyphs[i]));
            buttons.push_back(button);
        }
    }

    Panel* dock;
    Splitter* splitter;
    ControlBar* tools;
    std::vector<SpeedButton*> buttons;
};

Form* NewPatternWindow(MainWindow& main, const std::string& caption, Rect bounds, std::vector<Color> colours)
{
    auto* child = new Form(&main);
    child->SetFormStyle(FormStyle::MDIChild);
    child->SetCaption(caption);
    child->SetBoundsRect(bounds);
    auto* view = new BandView(child, std::move(colours));
    view->SetParent(child);
    view->SetAlign(Align::Client);
    child->FinishLoading();
    child->Show();
    return child;
}

} // namespace

TEST(ShellRender, AMainWindowWithChildrenToolBarAndDockedNotesLooksLikeADesktopWindow)
{
    QtPaintBackend backend;
    SetDefaultPaintBackend(&backend);
    {
        MainWindow main;
        main.Show();
        // A grid toggle down, an undo button disabled, the zoom button under the pointer.
        main.buttons[3]->SetGroupIndex(351);
        main.buttons[3]->SetAllowAllUp(true);
        main.buttons[3]->SetDown(true);
        main.buttons[5]->SetEnabled(false);
        main.buttons[4]->Perform(CM_MOUSEENTER);

        Form* first = NewPatternWindow(main, "Chevrons.tvl", Rect{12, 10, 252, 200}, {0x3030C0, 0xE0E0E0, 0x206020});
        Form* second = NewPatternWindow(main, "Diamonds.tvl", Rect{150, 90, 440, 330}, {0xA05020, 0x20C0E0, 0x202020});
        first->BringToFront();

        Form notes;
        notes.SetCaption("Notes");
        notes.SetBorderStyle(FormBorderStyle::SizeToolWin);
        notes.SetDragKind(DragKind::Dock);
        notes.SetBounds(700, 100, 276, 480);
        auto* pad = new NotesPad(&notes);
        pad->SetParent(&notes);
        pad->SetAlign(Align::Client);
        notes.FinishLoading();
        ASSERT_TRUE(notes.ManualDock(main.dock));
        notes.Show();

        const Bitmap picture = RenderToBitmap(main);
        const QString path = QString(TAVELIN_GUI_TEST_OUTPUT) + "/shell_window.png";
        ASSERT_TRUE(BitmapToQImage(picture).save(path)) << path.toStdString();

        // The active child's caption starts in the active caption colour; the other one, seen
        // right of the first child, has the inactive caption's gradient there.
        const Point firstCaption = first->ClientToScreen(Point{MdiFrameWidth, MdiFrameWidth + 2});
        EXPECT_EQ(picture.Pixel(firstCaption.X, firstCaption.Y), ColorToRGB(clActiveCaption));
        const CaptionBarLayout secondBar = *second->CaptionBar();
        Bitmap reference(second->Width(), second->Height());
        Canvas referenceCanvas(reference);
        PaintCaptionBar(referenceCanvas, secondBar, "", second->Font(), false, true, CaptionButton::None);
        const int column = first->Left() + first->Width() + 5 - second->Left();
        const Point secondCaption = second->ClientToScreen(Point{column, MdiFrameWidth + 2});
        EXPECT_EQ(picture.Pixel(secondCaption.X, secondCaption.Y), reference.Pixel(column, MdiFrameWidth + 2));
        EXPECT_NE(reference.Pixel(column, MdiFrameWidth + 2), ColorToRGB(clActiveCaption));
        const Point workspace = main.ClientArea()->ClientToScreen(Point{5, main.ClientArea()->Height() - 5});
        EXPECT_EQ(picture.Pixel(workspace.X, workspace.Y), ColorToRGB(clAppWorkSpace));
        // The notes window fills the dock below its grabber, with the splitter beside it.
        EXPECT_EQ(main.dock->Width(), 150);
        EXPECT_TRUE(main.splitter->Visible());
        const Point grabber = notes.ClientToScreen(Point{2, 2});
        EXPECT_EQ(picture.Pixel(grabber.X, grabber.Y), ColorToRGB(clInactiveCaption));
        // The tool bar is as high as its row.
        EXPECT_EQ(main.tools->Height(), 26);
    }
    SetDefaultPaintBackend(nullptr);
}
