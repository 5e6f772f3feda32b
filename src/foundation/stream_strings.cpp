#include "foundation/stream_strings.h"

#include <cstdint>
#include <limits>

#include "framework/core/exceptions.h"

namespace {

[[noreturn]] void RaiseInvalidLength()
{
    throw fw::EStreamError("Invalid string length in stream.");
}

} // namespace

void WriteStreamString(fw::Stream& stream, const std::string& text)
{
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        RaiseInvalidLength();
    }
    stream.WriteInt32LE(static_cast<std::int32_t>(text.size()));
    stream.WriteBuffer(text.data(), text.size());
}

std::string ReadStreamString(fw::Stream& stream)
{
    const std::int32_t length = stream.ReadInt32LE();
    if (length < 0 || length > stream.Remaining()) {
        RaiseInvalidLength();
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    stream.ReadBuffer(text.data(), text.size());
    return text;
}
