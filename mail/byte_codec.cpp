#include "mail/byte_codec.h"

#include <cstring>

namespace mail {

namespace {
constexpr std::uint8_t kLongerLength = 255;
constexpr std::uint16_t kLongestLength = 65535;
} // namespace

void ByteWriter::putUint32(std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        putByte(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void ByteWriter::putUint16(std::uint16_t value)
{
    putByte(static_cast<std::uint8_t>(value));
    putByte(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::putCountedString(const std::string& text)
{
    const auto n = static_cast<std::uint32_t>(text.size());
    if (n < kShortLengthLimit) {
        putByte(static_cast<std::uint8_t>(n));
    } else if (n < kMediumLengthLimit) {
        putByte(kLongerLength);
        putUint16(static_cast<std::uint16_t>(n));
    } else {
        putByte(kLongerLength);
        putUint16(kLongestLength);
        putUint32(n);
    }
    bytes_.append(text);
}

bool ByteReader::getByte(std::uint8_t& value)
{
    if (left() < 1) {
        return false;
    }
    value = static_cast<std::uint8_t>(data_[pos_++]);
    return true;
}

bool ByteReader::getUint16(std::uint16_t& value)
{
    if (left() < 2) {
        return false;
    }
    const auto* p = reinterpret_cast<const std::uint8_t*>(data_ + pos_);
    value = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    pos_ += 2;
    return true;
}

bool ByteReader::getUint32(std::uint32_t& value)
{
    if (left() < 4) {
        return false;
    }
    const auto* p = reinterpret_cast<const std::uint8_t*>(data_ + pos_);
    value = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
            (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    pos_ += 4;
    return true;
}

bool ByteReader::getInt32(std::int32_t& value)
{
    std::uint32_t raw = 0;
    if (!getUint32(raw)) {
        return false;
    }
    value = static_cast<std::int32_t>(raw);
    return true;
}

bool ByteReader::getCountedString(std::string& text)
{
    const std::size_t start = pos_;
    std::uint8_t first = 0;
    if (!getByte(first)) {
        return false;
    }
    std::uint32_t n = first;
    if (first == kLongerLength) {
        std::uint16_t medium = 0;
        if (!getUint16(medium)) {
            pos_ = start;
            return false;
        }
        n = medium;
        if (medium == kLongestLength && !getUint32(n)) {
            pos_ = start;
            return false;
        }
    }
    if (n > left()) {
        pos_ = start;
        return false;
    }
    text.assign(data_ + pos_, n);
    pos_ += n;
    return true;
}

} // namespace mail
