// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads a fuzzer's bytes as little-endian numbers and UTF-16 texts; past the end it reads zeros
// and empty texts, so any input is a valid one.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool AtEnd() const { return m_position >= m_size; }

    std::uint8_t Byte() { return AtEnd() ? 0 : m_data[m_position++]; }

    std::uint16_t Unit() {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | (Byte() << 8));
    }

    // A length unit (at most maxUnits) followed by that many code units, any of them: lone
    // surrogates and NUL included.
    std::u16string Text(std::size_t maxUnits) {
        const std::size_t length = Unit() % (maxUnits + 1);
        std::u16string text;
        for (std::size_t i = 0; i < length && !AtEnd(); ++i) {
            text.push_back(static_cast<char16_t>(Unit()));
        }
        return text;
    }

    // Everything that is left, as code units.
    std::u16string Rest() {
        std::u16string text;
        while (!AtEnd()) {
            text.push_back(static_cast<char16_t>(Unit()));
        }
        return text;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};
