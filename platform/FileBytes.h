// Whole-file reads and writes for the edges of the program (loaders stay bytes-in, bytes-out).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// False when the file cannot be opened or read; bytes is then empty.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes);
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
