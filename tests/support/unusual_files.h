#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Files that are no regular files, and regular files too large to read, made by a test.

// A named pipe at the path. A reader that wrongly waits on it for a writer is released after
// a while: a writer then opens the pipe and closes it at once, so that the reader sees an
// empty file and the test fails instead of hanging the test run.
class PipeWithLateWriter {
public:
    explicit PipeWithLateWriter(std::filesystem::path path,
                                std::chrono::milliseconds release = std::chrono::milliseconds(3000))
        : path_(std::move(path))
    {
        if (::mkfifo(path_.c_str(), 0600) != 0) {
            throw std::runtime_error("cannot make the named pipe " + path_.string());
        }
        writer_ = std::thread([this, release] { ReleaseWaitingReaders(release); });
    }
    ~PipeWithLateWriter()
    {
        stop_ = true;
        writer_.join();
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    PipeWithLateWriter(const PipeWithLateWriter&) = delete;
    PipeWithLateWriter& operator=(const PipeWithLateWriter&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    void ReleaseWaitingReaders(std::chrono::milliseconds release)
    {
        const auto due = std::chrono::steady_clock::now() + release;
        while (!stop_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (std::chrono::steady_clock::now() < due) {
                continue;
            }
            // Succeeds only while a reader has the pipe open.
            const int descriptor = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
            if (descriptor >= 0) {
                ::close(descriptor);
            }
        }
    }

    std::filesystem::path path_;
    std::atomic<bool> stop_{false};
    std::thread writer_;
};

// A regular file of the size that holds nothing but zero bytes; sparse, so that even a size
// of gigabytes takes no room on the disk and no time to make.
inline void MakeSparseFile(const std::filesystem::path& path, std::uintmax_t size)
{
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (descriptor < 0 || ::ftruncate(descriptor, static_cast<off_t>(size)) != 0) {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        throw std::runtime_error("cannot make the file " + path.string());
    }
    ::close(descriptor);
}
