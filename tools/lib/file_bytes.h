// Whole-file reading and writing for the host tools and tests.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out);
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& data);
