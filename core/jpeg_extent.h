#pragma once
// The bytes of a JPEG picture that its decoder will read as the picture
// itself, counted ahead of it: from the start of a scan's data to the end
// marker, less the segments the decoder skips unread (comments and every APPn)
// and the stray bytes between segments, as libjpeg's marker reader takes them.
// Nothing after the end marker counts. The walk decides nothing about the
// picture; the decoder still judges every byte as it reads it.

#include <cstdint>
#include <span>

namespace guide {

class JpegExtent
{
public:
    /// Takes the file's next bytes; false once the end marker has been met,
    /// or the markers broke off (the decoder will refuse them), and the rest
    /// of the file is not the picture's.
    bool take(std::span<const std::uint8_t> bytes);

    /// Bytes of the picture counted so far.
    std::int64_t pictureBytes() const { return counted_; }

private:
    enum class State { Data, DataMarker, Between, BetweenMarker, LengthHigh, LengthLow, Segment, Ended };

    void marker(std::uint8_t code);

    State state_ = State::Data; // the walk starts where the first scan's data does
    std::uint8_t code_ = 0;     // the marker whose segment is being passed
    int length_ = 0;
    std::int64_t segmentLeft_ = 0;
    bool segmentCounts_ = false;
    std::int64_t counted_ = 0;
};

} // namespace guide
