#pragma once
// Opening a photograph by the native bytes of its path, so that a folder whose
// name is not valid UTF-8, or a path longer than the system's limit for one
// call, still opens; and only ever a regular file, without blocking.

#include <cstdint>
#include <filesystem>

namespace guide {

/// A read-only descriptor on a regular file, closed with the object.
class PictureFile
{
public:
    PictureFile() = default;
    PictureFile(int fd, std::int64_t size) : fd_(fd), size_(size) {}
    PictureFile(PictureFile &&other) noexcept : fd_(other.fd_), size_(other.size_)
    {
        other.fd_ = -1;
    }
    PictureFile &operator=(PictureFile &&) = delete;
    PictureFile(const PictureFile &) = delete;
    ~PictureFile();

    explicit operator bool() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    std::int64_t size() const { return size_; } ///< at the moment it was opened

private:
    int fd_ = -1;
    std::int64_t size_ = 0;
};

/// The regular file at the absolute `path` (links followed), of any size: the
/// decoder reads only the picture at its start. Empty and relative paths,
/// directories, FIFOs and devices give an empty result, and a FIFO without a
/// writer does not block.
PictureFile openPictureFile(const std::filesystem::path &path);

} // namespace guide
