// Turns a fuzzer's bytes into the inputs the program's parsers take: UTF-16 units (as the
// platform hands them over, here widened to wchar_t), numbers and flags.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class FuzzInput {
  public:
    FuzzInput(const uint8_t *data, size_t size) : data_(data), size_(size) {}

    size_t Left() const { return size_ - at_; }

    template <typename T> T Number() {
        T value = 0;
        const size_t n = Left() < sizeof value ? Left() : sizeof value;
        std::memcpy(&value, data_ + at_, n);
        at_ += n;
        return value;
    }

    // The rest as UTF-16 units, two bytes each.
    std::wstring Units() {
        std::wstring text;
        while (Left() >= 2) text.push_back(wchar_t(Number<uint16_t>()));
        at_ = size_;
        return text;
    }

    const uint8_t *Rest(size_t *size) {
        *size = Left();
        const uint8_t *rest = data_ + at_;
        at_ = size_;
        return rest;
    }

  private:
    const uint8_t *data_;
    size_t size_, at_ = 0;
};
