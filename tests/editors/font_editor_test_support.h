#pragma once

// What the font generator and lettered-band tests share: the real program from the
// threaded-in editor's tests, the two windows opened from the Create menu or from a file,
// glyphs drawn from rows of text, and the file dialogs played by a script.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editors/block_frame.h"
#include "editors/font_generator.h"
#include "editors/lettered_band_editor.h"
#include "framework/core/bitmap.h"
#include "framework/gui/dialogs.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "threaded_editor_test_support.h"

namespace font_editor_test {

using Rows = std::vector<std::string>;

// A glyph from rows of text, top row first: '#' set, anything else clear.
inline fw::Bitmap Glyph(const Rows& rows)
{
    const int width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    fw::Bitmap glyph(width, static_cast<int>(rows.size()), true);
    for (int y = 0; y < glyph.Height(); ++y) {
        for (int x = 0; x < width; ++x) {
            if (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#') {
                glyph.SetPixel(x, y, fw::Bitmap::Black);
            }
        }
    }
    return glyph;
}

// The rows of a glyph, as Glyph reads them.
inline Rows RowsOf(const fw::Bitmap& glyph)
{
    Rows rows;
    for (int y = 0; y < glyph.Height(); ++y) {
        std::string row;
        for (int x = 0; x < glyph.Width(); ++x) {
            row += glyph.Pixel(x, y) == fw::Bitmap::Black ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

// A letter of the font with the glyph (as high as the rows) and the spaces.
inline TTWFontChar* AddLetter(TTWFont& font, const std::string& letter, const Rows& rows, int before = 0,
                              int after = 0)
{
    TTWFontChar* added = font.AddChar(letter, "");
    added->Glyph() = Glyph(rows);
    added->SpaceBefore = before;
    added->SpaceAfter = after;
    return added;
}

inline std::string ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What a file dialog was asked, and its answer (none: cancelled).
struct FileScript {
    std::optional<std::string> Choice;
    std::string Title;
    std::string Filter;
    std::string Proposed;
    int Runs = 0;
};

inline FileScript Choose(const std::filesystem::path& file)
{
    FileScript script;
    script.Choice = file.string();
    return script;
}

// The file dialogs answer from the script while it lives.
class ScriptedFileDialogs {
public:
    explicit ScriptedFileDialogs(FileScript& script)
        : handler_(&fw::FileDialog::SetHandler, [&script](fw::FileDialog& dialog) {
              ++script.Runs;
              script.Title = dialog.Title();
              script.Filter = dialog.Filter();
              script.Proposed = dialog.FileName();
              if (!script.Choice) {
                  return false;
              }
              dialog.SetFileName(*script.Choice);
              dialog.SetFilterIndex(1);
              return true;
          })
    {
    }

private:
    fw::ScopedHandler<fw::FileDialog::Handler> handler_;
};

class FontEditorTest : public threaded_editor_test::EditorProgramTest {
protected:
    TfrmTWFontGenerator* ActiveFontGenerator()
    {
        return dynamic_cast<TfrmTWFontGenerator*>(Main().ActiveMDIChild());
    }
    TfrmTWLetteredBand* ActiveBand() { return dynamic_cast<TfrmTWLetteredBand*>(Main().ActiveMDIChild()); }

    // Create > Font.
    TfrmTWFontGenerator& NewFontGenerator()
    {
        EXPECT_TRUE(OpenWindowOfKind(Main(), TTWWindowKind::FontGenerator));
        TfrmTWFontGenerator* editor = ActiveFontGenerator();
        EXPECT_NE(editor, nullptr);
        return *editor;
    }

    // A new font generator showing the font (which it keeps).
    TfrmTWFontGenerator& ShowFont(std::unique_ptr<TTWFont> font)
    {
        TfrmTWFontGenerator& editor = NewFontGenerator();
        editor.OpenFont(std::move(font), std::string());
        return editor;
    }

    // Create > Lettered Band.
    TfrmTWLetteredBand& NewBand()
    {
        EXPECT_TRUE(OpenWindowOfKind(Main(), TTWWindowKind::LetteredBandEditor));
        TfrmTWLetteredBand* editor = ActiveBand();
        EXPECT_NE(editor, nullptr);
        return *editor;
    }

    // A new lettered-band editor showing a band of the font (embedded) and the text.
    TfrmTWLetteredBand& ShowBand(const TTWFont& font, const std::string& text)
    {
        TfrmTWLetteredBand& editor = NewBand();
        auto band = std::make_unique<TTWLetteredBand>();
        band->SetEncapsulated(true);
        band->Font()->Assign(&font);
        band->SetTextFrom(text);
        editor.OpenPattern(std::move(band), std::string());
        return editor;
    }

    // The window the Load command opens for the file.
    fw::Form* Load(const std::filesystem::path& file)
    {
        Main().LoadFile(file.string());
        return Main().ActiveMDIChild();
    }
};

// The row of the list showing the letter.
inline TILTreeNode* RowOfLetter(TILTree& list, const std::string& letter)
{
    for (TILTreeNode* row : list.Root()->Children()) {
        if (row->GetCellText(0) == letter) {
            return row;
        }
    }
    return nullptr;
}

// A click in the middle of a grid cell, as the mouse gives it.
inline void ClickCell(TfrmBlockPattern& grid, int x, int y)
{
    const fw::Rect cell = grid.Geometry().CellRect(x, y);
    const int px = (cell.Left + cell.Right) / 2;
    const int py = (cell.Top + cell.Bottom) / 2;
    grid.ImageMouseDown(fw::MouseButton::Left, fw::ShiftState{}, px, py);
    grid.ImageMouseUp(fw::MouseButton::Left, fw::ShiftState{}, px, py);
}

} // namespace font_editor_test
