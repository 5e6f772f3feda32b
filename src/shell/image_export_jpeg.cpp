#include "shell/image_export_jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <new>
#include <string_view>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "framework/core/exceptions.h"
#include "framework/core/file_io.h"

namespace {

constexpr std::size_t ChunkSize = 64 * 1024;

// Everything one compression needs, kept in memory that outlives libjpeg's jumps: after a
// longjmp only what lies here is trusted, never the locals of the function that called
// setjmp.
struct JpegJob {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_destination_mgr destination{};
    std::jmp_buf failed{};
    char message[JMSG_LENGTH_MAX]{};
    std::vector<JOCTET> chunk;
    std::vector<std::uint8_t> output;
    std::vector<JSAMPLE> row;
    bool outOfMemory = false;
};

JpegJob& JobOf(j_compress_ptr info)
{
    return *static_cast<JpegJob*>(info->client_data);
}

// libjpeg's own error exit ends the process; ours goes back to Compress with the message.
[[noreturn]] void ErrorExit(j_common_ptr info)
{
    auto& job = *static_cast<JpegJob*>(info->client_data);
    (*info->err->format_message)(info, job.message);
    std::longjmp(job.failed, 1);
}

// Warnings only concern corrupt input, which compressing our own pixels never meets; they
// must not reach stderr either way.
void IgnoreMessage(j_common_ptr) {}

// Moves the filled part of the chunk to the output. No C++ exception may unwind through
// libjpeg's C frames, so a failed allocation leaves through the error exit instead (after
// the handler has ended, so that the exception object is released).
void Append(j_compress_ptr info, std::size_t count)
{
    JpegJob& job = JobOf(info);
    try {
        job.output.insert(job.output.end(), job.chunk.begin(),
                          job.chunk.begin() + static_cast<std::ptrdiff_t>(count));
    } catch (const std::bad_alloc&) {
        job.outOfMemory = true;
    }
    if (job.outOfMemory) {
        info->err->msg_code = JERR_OUT_OF_MEMORY;
        (*info->err->error_exit)(reinterpret_cast<j_common_ptr>(info));
    }
}

void InitDestination(j_compress_ptr info)
{
    JpegJob& job = JobOf(info);
    job.destination.next_output_byte = job.chunk.data();
    job.destination.free_in_buffer = job.chunk.size();
}

boolean EmptyOutputBuffer(j_compress_ptr info)
{
    Append(info, JobOf(info).chunk.size());
    InitDestination(info);
    return TRUE;
}

void TermDestination(j_compress_ptr info)
{
    JpegJob& job = JobOf(info);
    Append(info, job.chunk.size() - job.destination.free_in_buffer);
}

// 0x00BBGGRR pixels to libjpeg's R, G, B samples.
void FillRow(JpegJob& job, const fw::Bitmap& bitmap, int y)
{
    const std::uint32_t* in = bitmap.ScanLine(y);
    JSAMPLE* out = job.row.data();
    for (int x = 0; x < bitmap.Width(); ++x) {
        const std::uint32_t colour = in[x];
        *out++ = static_cast<JSAMPLE>(colour & 0xFF);
        *out++ = static_cast<JSAMPLE>((colour >> 8) & 0xFF);
        *out++ = static_cast<JSAMPLE>((colour >> 16) & 0xFF);
    }
}

// Runs libjpeg over the bitmap into job.output; false, with job.message, when it refused.
bool Compress(JpegJob* job, const fw::Bitmap* bitmap, int quality)
{
    job->info.err = jpeg_std_error(&job->errors);
    job->errors.error_exit = ErrorExit;
    job->errors.output_message = IgnoreMessage;
    job->info.client_data = job;
    if (setjmp(job->failed) != 0) {
        jpeg_destroy_compress(&job->info);
        return false;
    }
    jpeg_create_compress(&job->info);
    job->destination.init_destination = InitDestination;
    job->destination.empty_output_buffer = EmptyOutputBuffer;
    job->destination.term_destination = TermDestination;
    job->info.dest = &job->destination;

    job->info.image_width = static_cast<JDIMENSION>(bitmap->Width());
    job->info.image_height = static_cast<JDIMENSION>(bitmap->Height());
    job->info.input_components = 3;
    job->info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&job->info);
    jpeg_set_quality(&job->info, quality, TRUE);
    jpeg_start_compress(&job->info, TRUE);
    while (job->info.next_scanline < job->info.image_height) {
        FillRow(*job, *bitmap, static_cast<int>(job->info.next_scanline));
        JSAMPROW rows[1] = {job->row.data()};
        jpeg_write_scanlines(&job->info, rows, 1);
    }
    jpeg_finish_compress(&job->info);
    jpeg_destroy_compress(&job->info);
    return true;
}

} // namespace

std::vector<std::uint8_t> EncodeJpeg(const fw::Bitmap& bitmap, int quality)
{
    if (bitmap.Empty()) {
        throw fw::EConvertError("An empty image cannot be saved as JPEG.");
    }
    const auto job = std::make_unique<JpegJob>();
    job->chunk.resize(ChunkSize);
    job->row.resize(static_cast<std::size_t>(bitmap.Width()) * 3);
    if (!Compress(job.get(), &bitmap, std::clamp(quality, 1, 100))) {
        if (job->outOfMemory) {
            throw std::bad_alloc();
        }
        throw fw::EConvertError("The image cannot be saved as JPEG: " + std::string(job->message));
    }
    return std::move(job->output);
}

void SaveJpegToFile(const fw::Bitmap& bitmap, const std::string& path, int quality)
{
    const std::vector<std::uint8_t> bytes = EncodeJpeg(bitmap, quality);
    fw::WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
