#pragma once

#include <string>

#include "framework/core/stream.h"

// A text on a stream: its byte length as a 32-bit little-endian integer, then the bytes.
void WriteStreamString(fw::Stream& stream, const std::string& text);
// Reads what WriteStreamString wrote. A length that is negative or larger than what is left
// of the stream raises EStreamError "Invalid string length in stream.": a damaged file must
// give an error, never a huge allocation or a read past its end.
std::string ReadStreamString(fw::Stream& stream);
