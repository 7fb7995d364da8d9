// Takes typed values off the front of a fuzzer's input, with zeros once it
// runs out, so that every input is a valid call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : data(data), size(size) {}

    template <typename T>
    T take()
    {
        T value{};
        const std::size_t n = sizeof(T) < size ? sizeof(T) : size;
        if (n > 0)
            std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }

    std::size_t left() const { return size; }
    const std::uint8_t *rest() const { return data; }

private:
    const std::uint8_t *data;
    std::size_t size;
};

// Stops the fuzzer with the input that broke a property.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            __builtin_trap();                                                                      \
    } while (false)
