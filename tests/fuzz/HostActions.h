#pragma once

// The fuzzer's input is a sequence of host actions, each a kind byte and its arguments in
// little-endian order; the input simply stops where its bytes run out.
//
//   kind % 4 == 0  dispatcher   opcode u8, index i32, value i32, pointer u8, fill u8, opt f32
//                  pointer 0 is null, otherwise a buffer of max(4 * pointer, what the opcode's
//                  answer needs) bytes, filled with `fill` and ending in a zero byte
//   kind % 4 == 1  setParameter index i32, value f32 (then read back)
//   kind % 4 == 2  getParameter index i32
//   kind % 4 == 3  process      frames u16, flags u8, shape u8, level f32, burst f32,
//                               burstStart u16, burstLength u16
//                  flags: 1 64-bit, 2 in place, 4 burst left, 8 burst right;
//                  shape % 4: silence, sine, square, noise, each of amplitude `level`

#include <cstddef>
#include <cstdint>
#include <cstring>

class ActionReader
{
  public:
    ActionReader(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}
    bool more() const { return used < size; }
    template <typename T> T read()
    {
        T value{};
        std::uint8_t bytes[sizeof(T)] = {};
        for (std::size_t i = 0; i < sizeof(T) && used < size; ++i)
            bytes[i] = data[used++];
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

  private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t used = 0;
};
