#pragma once
// Little-endian integers and counted strings, as the account file stores them. The
// reader never trusts a count or a length: each is checked against the bytes left
// before anything is allocated or copied.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mail {

class ByteWriter {
public:
    void putInt32(std::int32_t value) { putUint32(static_cast<std::uint32_t>(value)); }
    void putUint32(std::uint32_t value);
    void putUint16(std::uint16_t value);
    void putByte(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
    // A length in one of three forms (1, 3 or 7 bytes), then the bytes themselves.
    void putCountedString(const std::string& text);

    const std::string& bytes() const { return bytes_; }
    std::string take() { return std::move(bytes_); }
    void reserve(std::size_t size) { bytes_.reserve(size); }

private:
    std::string bytes_;
};

class ByteReader {
public:
    ByteReader(const char* data, std::size_t size) : data_(data), size_(size) {}
    explicit ByteReader(const std::string& bytes) : ByteReader(bytes.data(), bytes.size()) {}

    // Each read fails (and leaves the position alone) when the bytes run out.
    bool getInt32(std::int32_t& value);
    bool getUint32(std::uint32_t& value);
    bool getUint16(std::uint16_t& value);
    bool getByte(std::uint8_t& value);
    bool getCountedString(std::string& text);

    std::size_t left() const { return size_ - pos_; }
    std::size_t position() const { return pos_; }

private:
    const char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Lengths at which the counted string's length changes form.
constexpr std::uint32_t kShortLengthLimit = 255;    // below: one byte
constexpr std::uint32_t kMediumLengthLimit = 65534; // below: marker and 16 bits

} // namespace mail
