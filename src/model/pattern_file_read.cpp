#include "model/pattern_file_read.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/file_io.h"
#include "model/brocade_pattern.h"
#include "model/df_pattern.h"
#include "model/font.h"
#include "model/pattern_limits.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"

namespace {

// The largest file is bounded piece by piece from the model's limits, as if one file held
// the most of everything at once, each piece with a generous share of bytes, so that the
// bound follows the limits when they change:
//
// - Lines that hold one element or its end: a pick takes up to four (its start and end and
//   those of its actions), in a threaded pattern's picks and again in a brocade's; a card
//   turn of a converted design one action each; a design row one, twice for a twill's long
//   floats; a card a dozen or so. None of these lines is written longer than about 80 bytes
//   with its indentation; 128 are allowed.
// - Cells: a grid design's, a brocade's or a font's glyphs', whichever kind may hold
//   the most. The most any kind writes for one cell is a brocade's: its tie-down number
//   with a comma, its weft and its picture, up to 7 bytes; 8 are allowed, for two such
//   grids (a twill's long floats, a brocade's ground weave).
//
// A threaded pattern edited by hand could in principle give every card of every pick an
// action of its own, a file of many gigabytes that no band needs and no computer opens;
// the turns of a converted design stand for what a pattern really holds.
constexpr std::int64_t LineBytes = 128;
constexpr std::int64_t CellBytes = 8;

constexpr std::int64_t MostLines = 4 * std::int64_t{TTWPickList::MaxPicks}
                                   + 4 * std::int64_t{TTWBrocadePickList::MaxPicks} + TTWPattern::MaxConvertedTurns
                                   + 2 * std::int64_t{TTWDFPattern::MaxLength} + 16 * std::int64_t{MaxPatternCards};

constexpr std::int64_t MostCells =
    std::max({MaxDesignCells, std::int64_t{TTWBrocadePattern::MaxCells}, TTWFont::MaxGlyphPixels});

constexpr std::int64_t MostBytes = LineBytes * MostLines + 2 * CellBytes * MostCells;

} // namespace

std::int64_t MaxPatternFileBytes()
{
    return MostBytes;
}

void ReadPatternDocument(TILXMLTree& tree, const std::string& fileName)
{
    ReadNamingFile(fileName, [&] {
        try {
            tree.LoadFromFile(fileName, fw::FileSizeLimit{static_cast<std::uintmax_t>(MostBytes), "a pattern file"});
        } catch (const std::bad_alloc&) {
            tree.Clear();
            throw TGenericException("There is not enough memory to read the file.", nullptr, "", "LoadFromFile");
        }
    });
}
