#include "core/jpeg_extent.h"

#include <algorithm>
#include <cstring>

namespace guide {

namespace {

constexpr std::uint8_t kMarkerByte = 0xFF;
constexpr std::uint8_t kStuffedZero = 0x00;
constexpr std::uint8_t kSos = 0xDA;
constexpr std::uint8_t kEoi = 0xD9;
constexpr std::uint8_t kSoi = 0xD8;
constexpr std::uint8_t kTem = 0x01;

constexpr bool isRestart(std::uint8_t code) { return code >= 0xD0 && code <= 0xD7; }

// Segments the decoder steps over unread: comments and application data.
constexpr bool isSkipped(std::uint8_t code) { return (code >= 0xE0 && code <= 0xEF) || code == 0xFE; }

} // namespace

// A marker's code: the end, a marker without a segment, or a segment's length next.
void JpegExtent::marker(std::uint8_t code)
{
    ++counted_;
    code_ = code;
    if (code == kEoi)
        state_ = State::Ended;
    else if (code == kSoi || code == kTem || isRestart(code))
        state_ = State::Between;
    else
        state_ = State::LengthHigh;
}

bool JpegExtent::take(std::span<const std::uint8_t> bytes)
{
    const std::uint8_t *at = bytes.data();
    const std::uint8_t *const end = at + bytes.size();
    while (at < end && state_ != State::Ended) {
        switch (state_) {
        case State::Data: {
            // Entropy-coded data, read whole by the decoder up to the next marker.
            const auto *ff = static_cast<const std::uint8_t *>(std::memchr(at, kMarkerByte, std::size_t(end - at)));
            const std::uint8_t *stop = ff ? ff + 1 : end;
            counted_ += stop - at;
            at = stop;
            if (ff)
                state_ = State::DataMarker;
            break;
        }
        case State::DataMarker: {
            // A stuffed zero or a restart marker goes on with the data, fill
            // bytes wait for the code, anything else ends the scan.
            const std::uint8_t b = *at++;
            if (b == kStuffedZero || isRestart(b)) {
                ++counted_;
                state_ = State::Data;
            } else if (b == kMarkerByte) {
                ++counted_;
            } else {
                marker(b);
            }
            break;
        }
        case State::Between: {
            // Bytes before a marker are skipped as garbage, and earn nothing.
            const auto *ff = static_cast<const std::uint8_t *>(std::memchr(at, kMarkerByte, std::size_t(end - at)));
            at = ff ? ff + 1 : end;
            if (ff) {
                ++counted_;
                state_ = State::BetweenMarker;
            }
            break;
        }
        case State::BetweenMarker: {
            const std::uint8_t b = *at++;
            if (b == kStuffedZero)
                state_ = State::Between;
            else if (b != kMarkerByte)
                marker(b);
            break;
        }
        case State::LengthHigh:
            length_ = *at++ << 8;
            ++counted_;
            state_ = State::LengthLow;
            break;
        case State::LengthLow:
            length_ |= *at++;
            ++counted_;
            if (length_ < 2) {
                state_ = State::Ended; // the decoder refuses such a length
                break;
            }
            segmentLeft_ = length_ - 2;
            segmentCounts_ = !isSkipped(code_);
            state_ = segmentLeft_ > 0 ? State::Segment : code_ == kSos ? State::Data : State::Between;
            break;
        case State::Segment: {
            const std::int64_t n = std::min<std::int64_t>(segmentLeft_, end - at);
            at += n;
            segmentLeft_ -= n;
            if (segmentCounts_)
                counted_ += n;
            if (segmentLeft_ == 0)
                state_ = code_ == kSos ? State::Data : State::Between;
            break;
        }
        case State::Ended:
            break;
        }
    }
    return state_ != State::Ended;
}

} // namespace guide
