#pragma once

// The bytes that decide what a fuzz or soak run does: a fuzzer's input, read once from the
// front, or an endless stream from a seeded generator. What the bytes mean is the reader's.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// A small, fast generator (SplitMix64): the same seed gives the same stream on every
// machine, so a run can be repeated from its seed alone.
class Generator {
  public:
    explicit Generator(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() {
        std::uint64_t mixed = (m_state += 0x9E3779B97F4A7C15ull);
        mixed = (mixed ^ (mixed >> 30)) * 0xBF58476D1CE4E5B9ull;
        mixed = (mixed ^ (mixed >> 27)) * 0x94D049BB133111EBull;
        return mixed ^ (mixed >> 31);
    }

  private:
    std::uint64_t m_state;
};

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual bool is_exhausted() const = 0;
    // The next byte; 0 once an input is used up.
    virtual std::uint8_t next() = 0;

    std::uint16_t next16() {
        const unsigned low = next();
        return static_cast<std::uint16_t>(low | static_cast<unsigned>(next()) << 8);
    }
    std::uint32_t next32() {
        const std::uint32_t low = next16();
        return low | static_cast<std::uint32_t>(next16()) << 16;
    }
    // count bytes, or as many as are left.
    std::string take(std::size_t count) {
        std::string bytes;
        while (bytes.size() < count && !is_exhausted())
            bytes += static_cast<char>(next());
        return bytes;
    }
};

class InputBytes : public ByteSource {
  public:
    explicit InputBytes(std::span<const std::uint8_t> input) : m_input(input) {}
    bool is_exhausted() const override { return m_position >= m_input.size(); }
    std::uint8_t next() override { return is_exhausted() ? 0 : m_input[m_position++]; }

  private:
    std::span<const std::uint8_t> m_input;
    std::size_t m_position = 0;
};

class GeneratedBytes : public ByteSource {
  public:
    explicit GeneratedBytes(std::uint64_t seed) : m_generator(seed) {}
    bool is_exhausted() const override { return false; }
    std::uint8_t next() override {
        if (m_left == 0) {
            m_word = m_generator.next();
            m_left = 8;
        }
        --m_left;
        const auto byte = static_cast<std::uint8_t>(m_word);
        m_word >>= 8;
        return byte;
    }

  private:
    Generator m_generator;
    std::uint64_t m_word = 0;
    int m_left = 0;
};
