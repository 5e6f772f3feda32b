#include "model/df_pattern.h"

#include <algorithm>
#include <memory>
#include <string>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/strings.h"
#include "model/file_values.h"
#include "model/model_state.h"
#include "model/pattern_limits.h"
#include "model/threaded_pattern.h"

namespace {

bool IsValidColourCount(int colourCount)
{
    return colourCount == 2 || colourCount == 4 || colourCount == 6;
}

// The number held by the direct child, the default when it is absent or holds no number.
int ChildNumber(const TILXMLNode* element, std::string_view tag, int defaultValue)
{
    const TILXMLNode* child = element->FindChild(tag);
    return child != nullptr ? fw::StrToIntDef(child->Value(), defaultValue) : defaultValue;
}

bool IsSetCell(char c)
{
    return c == 'X' || c == 'F';
}

bool SetsACell(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), IsSetCell);
}

// A set cell that the grid has no place for is refused rather than dropped: the pattern
// would open without it and the next save would lose it. Clear cells outside the grid hold
// nothing and are passed over.
[[noreturn]] void RaiseCellOutsideRows(const TILXMLNode& rows, const TILXMLNode& row, std::int64_t length)
{
    const std::string held = length > 0 ? "The design's rows are P1 to P" + fw::IntToStr(length)
                                        : std::string("The design has no rows");
    throw TGenericException("Invalid row " + std::string(row.Tag()) + " of " + std::string(rows.Tag()) + ".\r\n"
                                + held + ": a cell set in another row would be lost.",
                            nullptr, "", "ExtractXML");
}

[[noreturn]] void RaiseCellOutsideColumns(const TILXMLNode& rows, const TILXMLNode& row, int width)
{
    const std::string held = width > 0 ? "The design's cards are 1 to " + fw::IntToStr(width)
                                       : std::string("The design has no cards");
    throw TGenericException("Invalid row " + std::string(row.Tag()) + " of " + std::string(rows.Tag()) + " ("
                                + fw::IntToStr(static_cast<std::int64_t>(row.Value().size())) + " cells).\r\n"
                                + held + ": a cell set beyond them would be lost.",
                            nullptr, "", "ExtractXML");
}

std::unique_ptr<TTWPatternBase> MakeDoubleFacePattern()
{
    return std::make_unique<TTWDFPattern>();
}

} // namespace

TTWDFPattern::TTWDFPattern()
{
    palette_.CopyFrom(PaletteList().DefaultPalette());
    cards_.SetPalette(&palette_);
}

TTWDFPattern::~TTWDFPattern() = default;

void TTWDFPattern::Assign(const fw::Persistent* source)
{
    TTWPatternBase::Assign(source);
    if (const auto* pattern = dynamic_cast<const TTWDFPattern*>(source)) {
        if (pattern == this) {
            return;
        }
        // Through SetSize, so that a derived kind's own grids follow the new size.
        SetSize(pattern->width_, pattern->length_);
        cards_.Assign(pattern->cards_);
        grid_.Assign(pattern->grid_);
        colourCount_ = pattern->colourCount_;
    }
}

void TTWDFPattern::SetSize(int width, int length)
{
    width = std::max(width, 0);
    length = std::max(length, 0);
    CheckPatternWidth(width, this, "SetWidth");
    if (length > MaxLength) {
        throw TGenericException::CreateFromSender("Invalid pattern length (" + fw::IntToStr(length)
                                                      + ").\r\nA pattern has at most " + fw::IntToStr(MaxLength)
                                                      + " rows.",
                                                  nullptr, this, "SetLength");
    }
    CheckDesignCells(width, length, this, "SetSize");
    ResizeGrids(width, length);
    width_ = width;
    length_ = length;
}

void TTWDFPattern::ResizeGrids(int width, int length)
{
    grid_.SetSize(width, length);
}

void TTWDFPattern::SetColourCount(int colourCount)
{
    colourCount_ = IsValidColourCount(colourCount) ? colourCount : 2;
}

bool TTWDFPattern::GridCell(const fw::Bitmap& grid, int x, int y)
{
    const int row = grid.Height() - 1 - y;
    // Outside the picture the bitmap answers black, which must not read as set.
    return grid.Contains(x, row) && grid.Pixel(x, row) == fw::Bitmap::Black;
}

void TTWDFPattern::SetGridCell(fw::Bitmap& grid, int x, int y, bool set)
{
    grid.SetPixel(x, grid.Height() - 1 - y, set ? fw::Bitmap::Black : fw::Bitmap::White);
}

bool TTWDFPattern::GetCell(int x, int y) const
{
    return GridCell(grid_, x, y);
}

void TTWDFPattern::SetCell(int x, int y, bool set)
{
    SetGridCell(grid_, x, y, set);
}

bool TTWDFPattern::IsRunStart(int x, int y) const
{
    if (x < 0 || x >= width_ || y < 0 || y >= length_) {
        return false;
    }
    return y == 0 ? GetCell(x, 0) : GetCell(x, y) != GetCell(x, y - 1);
}

void TTWDFPattern::ConvertToThreaded(TTWPattern& target)
{
    const int copies = colourCount_ == 6 ? 2 : 1;
    TTWPattern::CheckConversionSize(width_, static_cast<std::int64_t>(length_) * (copies + 1), this);
    target.Cards().Assign(cards_);
    target.Packs().Clear();
    target.Picks().Clear();
    AppendDoubleFacePicks(grid_, colourCount_, target.Picks());
}

void AppendDoubleFacePicks(const fw::Bitmap& grid, int colourCount, TTWPickList& picks)
{
    const int copies = colourCount == 6 ? 2 : 1;
    const int width = grid.Width();
    const int length = grid.Height();
    for (int y = 0; y < length; ++y) {
        TTWPick* pick = picks.Add();
        // Every card turns the other way in odd rows, so that a clear cell alternates with
        // the card's own direction and the two faces change places where a cell is set.
        const bool oddRow = y % 2 != 0;
        for (int x = 0; x < width; ++x) {
            const bool set = grid.Pixel(x, length - 1 - y) == fw::Bitmap::Black;
            const std::uint8_t direction = set != oddRow ? TurnBackwards : TurnForwards;
            pick->Actions().Add(TTWAction::CreateCardTurn(x + 1, direction, DistanceOneHole).release());
        }
        for (int copy = 0; copy < copies; ++copy) {
            picks.Add()->Assign(pick);
        }
    }
}

void TTWDFPattern::WriteGridRows(TILXMLNode* element, const fw::Bitmap& grid)
{
    const int width = grid.Width();
    std::string row(static_cast<size_t>(width), '.');
    for (int y = grid.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            row[static_cast<size_t>(x)] = GridCell(grid, x, y) ? 'X' : '.';
        }
        element->AddChildValue("P" + fw::IntToStr(y + 1), row);
    }
}

void TTWDFPattern::ReadGridRows(const TILXMLNode* element, fw::Bitmap& grid, bool mirrored)
{
    if (element == nullptr) {
        return;
    }
    const std::int64_t length = grid.Height();
    const int width = grid.Width();
    for (int i = 0; i < element->ChildCount(); ++i) {
        const TILXMLNode* child = element->GetChild(i);
        // Wide arithmetic: the stored number may be any 32-bit value.
        const std::string_view tag = child->Tag();
        std::int64_t row = static_cast<std::int64_t>(fw::StrToIntDef(tag.substr(std::min<size_t>(tag.size(), 1)), 0)) - 1;
        if (mirrored) {
            row = length - row - 1;
        }
        const std::string_view text = child->Value();
        if (row < 0 || row >= length) {
            if (SetsACell(text)) {
                RaiseCellOutsideRows(*element, *child, length);
            }
            continue;
        }
        if (text.size() > static_cast<size_t>(width) && SetsACell(text.substr(static_cast<size_t>(width)))) {
            RaiseCellOutsideColumns(*element, *child, width);
        }
        const int columns = static_cast<int>(std::min(text.size(), static_cast<size_t>(width)));
        for (int x = 0; x < columns; ++x) {
            SetGridCell(grid, x, static_cast<int>(row), IsSetCell(text[static_cast<size_t>(x)]));
        }
    }
}

TILXMLNode* TTWDFPattern::BuildXML(TILXMLNode* parent) const
{
    TILXMLNode* element = TTWPatternBase::BuildXML(parent);
    element->AddChildValue("Width", fw::IntToStr(width_));
    element->AddChildValue("Length", fw::IntToStr(length_));
    element->AddChildValue("ColourCount", fw::IntToStr(colourCount_));
    if (saveCardsAndPalette_) {
        cards_.WriteToXML(element, "Cards");
        palette_.WriteToXML(element, "Palette");
    }
    WriteGridRows(element->AddChild("Data"), grid_);
    return element;
}

void TTWDFPattern::ExtractXML(const TILXMLNode* element, double& version)
{
    TTWPatternBase::ExtractXML(element, version);
    if (const TILXMLNode* cards = element->FindChild("Cards")) {
        cards_.ReadFromXML(cards);
    }
    if (const TILXMLNode* palette = element->FindChild("Palette")) {
        palette_.ReadFromXML(palette);
    }
    const int width = ReadChildCount(*element, "Width", 0, this, "ExtractXML");
    const int length = ReadChildCount(*element, "Length", 0, this, "ExtractXML");
    // A file names its size in two numbers: a design larger than the editors can show is
    // refused before anything is made for it (a width or length beyond any pattern's with
    // its own message, by SetSize).
    if (width <= MaxWidth && length <= MaxLength) {
        CheckDesignCells(width, length, this, "ExtractXML");
    }
    SetSize(width, length);
    // The editors keep a card for each column of the design: cards beyond the design would
    // be lost. Fewer are made up to the width with the default threading.
    if (const TILXMLNode* cards = element->FindChild("Cards"); cards != nullptr && cards_.Count() > width) {
        RaiseInvalidValue("count", fw::IntToStr(cards_.Count()), ValuePlace(*cards, "Count"),
                          "The design is " + fw::IntToStr(width) + " cards wide: the cards beyond it would be lost.",
                          this, "ExtractXML");
    }
    SetColourCount(ChildNumber(element, "ColourCount", 2));
    ReadGridRows(element->FindChild("Data"), grid_, false);
}

void RegisterDoubleFacePattern()
{
    RegisterPatternClass(PatternTypeDoubleFace, &MakeDoubleFacePattern);
}
