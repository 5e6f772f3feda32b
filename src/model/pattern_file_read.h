#pragma once

#include <cstdint>
#include <string>

class TILXMLTree;

// Reading pattern and font files from disk: every reader of such a file (the loader, the
// browser, the join and conversion tools, the brocade's ground weave, the lettered band's
// font) reads it through here.

// The most bytes a pattern or font file may have: more than any pattern the model holds can
// be written as, so that a larger file is refused before it is read rather than exhausting
// the memory on the way to being refused by the model's limits.
std::int64_t MaxPatternFileBytes();

// Replaces the tree with the file's document. Only a regular file within the limit is read
// (a named pipe, a device or a folder raises at once: fw::ReadFileBytes's EFileError, which
// names the file; a larger file raises "It has <size> bytes; a pattern file has at most
// <limit>."). Errors of the document, and a file too large for the memory left
// ("There is not enough memory to read the file."), name the file after the text of their
// first record: "<text>\r\nFilename: <file>" (NameFileInError).
void ReadPatternDocument(TILXMLTree& tree, const std::string& fileName);
