// Feeds arbitrary bytes to the BMP reader, which reads the pictures users pick in the
// program's open-picture dialog (monochrome designs to import). The bytes may come from
// any program, or be no picture at all.
//
// Bad input must end in one of our own errors (fw::Exception and its descendants); anything
// else (a crash, undefined behaviour, a leak, a standard-library exception, a hang, runaway
// memory) is a fault. A picture the reader accepts must stay within the reader's size limit,
// and writing it with our writer and reading that again must give the very same pixels, or
// the reader and the writer disagree about the format.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <span>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/bmp_codec.h"
#include "framework/core/exceptions.h"

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// Pixel values only: a 1-bit picture reads as a monochrome bitmap, which the writer stores
// as 24 bits, so the kinds differ while the pixels must not.
bool SamePixelValues(const fw::Bitmap& first, const fw::Bitmap& second)
{
    if (first.Width() != second.Width() || first.Height() != second.Height()) {
        return false;
    }
    for (int y = 0; y < first.Height(); ++y) {
        for (int x = 0; x < first.Width(); ++x) {
            if (first.Pixel(x, y) != second.Pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

void CheckAccepted(const fw::Bitmap& bitmap)
{
    if (bitmap.Width() < 0 || bitmap.Height() < 0
        || static_cast<std::int64_t>(bitmap.Width()) * bitmap.Height() > fw::MaxBmpPixels) {
        Fail("The reader accepted a picture beyond its size limit.");
    }
    // A picture without pixels is the empty picture, whatever the other side claimed.
    if ((bitmap.Width() == 0 || bitmap.Height() == 0) && (bitmap.Width() != 0 || bitmap.Height() != 0)) {
        Fail("A picture without pixels is not the empty 0 x 0 picture.");
    }
    const std::vector<std::uint8_t> written = fw::EncodeBmp(bitmap);
    fw::Bitmap again;
    try {
        again = fw::DecodeBmp(written);
    } catch (const fw::Exception& error) {
        std::fprintf(stderr, "Our own file of %d x %d pixels cannot be read: %s\n", bitmap.Width(),
                     bitmap.Height(), error.Message().c_str());
        std::abort();
    }
    if (!SamePixelValues(bitmap, again)) {
        Fail("Written and read again, the picture's pixels change.");
    }
}

[[noreturn]] void ForeignError(const char* kind, const char* message)
{
    std::fprintf(stderr, "The reader raised %s instead of one of our own errors: %s\n", kind, message);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        fw::Bitmap bitmap;
        try {
            bitmap = fw::DecodeBmp(std::span<const std::uint8_t>(data, size));
        } catch (const fw::Exception&) {
            return 0; // the expected answer to a file that is not a BMP we read
        }
        CheckAccepted(bitmap);
    } catch (const std::exception& error) {
        ForeignError("a standard exception", error.what());
    } catch (...) {
        ForeignError("an exception of unknown type", "");
    }
    return 0;
}
