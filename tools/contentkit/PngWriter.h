// Minimal RGBA PNG writer on zlib: fixed settings, so the same pixels always
// give the same bytes (the committed content is checked that way).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace content {

std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgba);
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);
// Writes text or bytes, creating missing parent folders.
bool WriteBytes(const std::string& path, const std::string& bytes);

} // namespace content
