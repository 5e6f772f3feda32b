#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "foundation/generic_exception.h"

class TILXMLNode;

// How wide a pattern may be, and the counts and sizes that pattern and font files give.

// The most cards any pattern may have across the band (selvedges not counted), and so the
// most cards high a font's letters, and the lettered band woven from them, may be. Real
// bands rarely pass a few hundred cards. Every editor opens a pattern of this many cards
// within a second or two; the dearest is the brocade editor, which makes a frame for every
// card, and ten times as many cards hold it for tens of seconds and gigabytes. A file that
// asks for more is damaged or made by hand and is refused before anything is made; the
// editors and dialogs that set a width keep within it too.
inline constexpr int MaxPatternCards = 1'000;

// The most cells a design drawn on a grid may have: a double-face, twill or twist-patterned
// design, or a letter of a font. What a design costs grows with its cells: the design and its
// undo copies, the overview at a pixel a cell and the woven band of two or three picks a row,
// front and back (the design view paints only what it shows, whatever the design's size). At
// this size every grid editor opens, weaves and shows its design within a second or so and
// under half a gigabyte, the lettered band too, opening some 2,400 letters of the default
// font's size and generating their design; its strip of letters, a control each, is what grows
// dearest beyond. A band of some 2,400 such letters, or the join of two designs of half the
// size, fits. A file that asks for more is damaged or made by hand.
inline constexpr std::int64_t MaxDesignCells = 1'000'000;

// "Pattern too large (<width> x <length> cells).\r\nA pattern has at most <limit> cells."
std::string PatternCellsText(std::int64_t width, std::int64_t length, std::int64_t limit);

// Whether a design of width card columns by length rows holds at most MaxDesignCells cells:
// the one rule of the reader and of everything that makes a design (the grids' size setter,
// the Size commands, picture import, joins, the lettered band's design, a font's letters),
// so that whatever the program writes it opens again. A letter of a font is the design of
// the font's height (its cards) by the letter's width (its rows), as its file holds it.
bool DesignCellsFit(std::int64_t width, std::int64_t length);

// Raises the text above with MaxDesignCells, from the sender, when the design does not fit.
void CheckDesignCells(std::int64_t width, std::int64_t length, const fw::Object* sender, const std::string& method);

// "Invalid pattern width (<cards>).\r\nA pattern has at most <MaxPatternCards> cards."
std::string PatternWidthText(std::int64_t cards);

// Raises the width error above, from the sender, when cards is beyond MaxPatternCards.
void CheckPatternWidth(std::int64_t cards, const fw::Object* sender, const std::string& method);

// A count or size that a file gives in the element's attribute: 0 when absent. One that is
// no number, or a negative one, would read as nothing at all, and a save would then drop
// what the file held, so it raises:
//   "Invalid count or size (<value>) in <Tag Attribute>.\r\nA count or size is never negative."
//   "Invalid count or size (<text>) in <Tag Attribute>.\r\nA count or size is a whole number."
int ReadFileCount(const TILXMLNode& element, std::string_view attribute, const fw::Object* sender,
                  const std::string& method);

// The same for the number held by the element's direct child; the default when the child is
// absent. The message names the child: "… in <Tag>."
int ReadChildCount(const TILXMLNode& element, std::string_view tag, int defaultValue, const fw::Object* sender,
                   const std::string& method);

// "\r\nFilename: <file>": what a message about a file's content ends with, so that the user
// knows which of several files it was.
std::string FileNameLine(const std::string& fileName);

// Names the file in an error raised while it was read: the file line follows the text of
// the error's first record, in that record and in the whole message, so that any causes
// chained after it still come last.
void NameFileInError(TGenericException& error, const std::string& fileName);

// Runs one step of reading the file (its document, or a pattern from it) and answers what
// the step answers; an error the step raises names the file as above.
template <class Step>
decltype(auto) ReadNamingFile(const std::string& fileName, Step&& step)
{
    try {
        return step();
    } catch (TGenericException& error) {
        NameFileInError(error, fileName);
        throw;
    }
}

// Runs the steps that make what is then written to the file (a join, a conversion, the
// pattern taken from an editor) and the writing itself: a design too large to open again is
// refused before anything is written, and the refusal names the file as a reader's does.
template <class Step>
decltype(auto) WriteNamingFile(const std::string& fileName, Step&& step)
{
    return ReadNamingFile(fileName, std::forward<Step>(step));
}
