// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <fstream>
#include <string_view>

// Writes a seed file of code units, little-endian as FuzzInput reads them; whether it was
// written whole.
inline bool WriteUnitsSeed(const std::filesystem::path& path, std::u16string_view text) {
    std::ofstream out(path, std::ios::binary);
    for (const char16_t unit : text) {
        out.put(static_cast<char>(unit & 0xFFU));
        out.put(static_cast<char>(unit >> 8U));
    }
    return static_cast<bool>(out);
}

// Writes a seed file of bytes as they stand; whether it was written whole.
inline bool WriteBytesSeed(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
