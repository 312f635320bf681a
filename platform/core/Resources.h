// Named resources embedded into the program: form descriptions and images.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zk {

// Resource types, as the framework names them.
inline const char* const RT_RCDATA = "RCDATA";  // binary form streams
inline const char* const RT_BITMAP = "BITMAP";  // BMP or PNG images

// Registers a resource; the data must outlive the program (static arrays do).
// Names and types compare case-insensitively; registering again replaces.
void RegisterResource(const std::string& Name, const std::string& Type, const uint8_t* Data, size_t Size);
// The bytes of a resource, or false when there is none.
bool FindResource(const std::string& Name, const std::string& Type, const uint8_t*& Data, size_t& Size);
std::vector<std::string> ResourceNames(const std::string& Type);

}  // namespace zk
