#pragma once

#include <string>

namespace fw {
class Form;
}

class TfrmTWMain;
class TTWPatternBase;

// Opening pattern and font files, and patterns made in memory, in editor windows of their
// kind (the editors register themselves: file_loader_editors.h).

// Opens the file in a new editor window owned by the main window; answers the window.
// The editor keeps the file's absolute name, whatever name it was given.
// The file is read as an XML document (ReadPatternDocument: only a regular file no larger
// than any pattern file can be, in Windows-1252, UTF-8 with its byte-order mark or UTF-16):
// a "TWData/Font" element makes it a font, even beside a "Pattern"; else the "Type" of
// "TWData/Pattern" names the kind (2 to 7).
// Failures raise and leave no window behind. A file that is no regular file (a named pipe,
// a device, a folder), one too large, or one that cannot be read raises at once the file
// error "Cannot open file \"<file>\". <reason>". Those of the file's content name the main
// window as sender and "mnuLoadClick" as the operation:
//   "No pattern or font data found in this file.\r\nFilename: <file>"
//   "Unable to create pattern.\r\nThe type <T> is unknown.\r\nFilename: <file>" (any other
//   type, "Font" too)
// Errors of the document or of the pattern's data pass on with the file named after the
// text of their first record: "<text>\r\nFilename: <file>". They refuse text damaged in its
// encoding, a pattern beyond the model's limits (wider than MaxPatternCards cards, a design
// of more than MaxDesignCells cells) and any value the next save would not write back as it
// stands, naming the element and the value (as "Invalid count (abc) in <Cards Count>."): a count
// or size that is negative, no number or does not match its entries, a code or letter outside
// its set, a number outside its range, cards beyond a design's width, a font or ground weave
// in a file that says it holds none. When the kind's editor is not available the user is told
// so, nothing opens and the answer is none.
fw::Form* LoadPatternFile(TfrmTWMain& main, const std::string& fileName);

// Opens a copy of the pattern in a new editor window of its kind, under the file name;
// the caller keeps its pattern. A kind without a class opens nothing; an unavailable
// editor is reported as above. Answers the window, or none.
fw::Form* OpenPatternObject(TfrmTWMain& main, const TTWPatternBase& pattern, const std::string& fileName);

// Makes file loading part of the program: the main window's data module (a TdModMain owned
// by the application) and its file loader. Called once as the program starts, before the
// main window's companions are made.
void RegisterFileLoading();
