#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace t9validate
{
// The function symbols of an ELF shared object, read from its full symbol table (which
// also names the hidden symbols that dladdr cannot see), or from the dynamic one.
class ElfSymbols
{
public:
    explicit ElfSymbols (const std::string& path);

    // The mangled name of the function that contains this offset from the load base,
    // or the empty text.
    std::string nameAt (uintptr_t offset) const;
    // The same without allocating (safe inside the allocator); null when unknown.
    const char* find (uintptr_t offset) const noexcept;

private:
    struct Symbol
    {
        uintptr_t start, size;
        std::string name;
    };
    std::vector<Symbol> symbols; // sorted by start
};
} // namespace t9validate
