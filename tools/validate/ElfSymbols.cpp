#include "ElfSymbols.h"

#include <algorithm>
#include <cstring>
#include <elf.h>
#include <fstream>
#include <iterator>

namespace t9validate
{
ElfSymbols::ElfSymbols (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    const std::vector<char> file ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char>());
    if (file.size() < sizeof (Elf64_Ehdr) || std::memcmp (file.data(), ELFMAG, SELFMAG) != 0 ||
        file[EI_CLASS] != ELFCLASS64)
        return;

    Elf64_Ehdr header;
    std::memcpy (&header, file.data(), sizeof (header));
    const auto sectionAt = [&] (size_t i)
    {
        Elf64_Shdr s{};
        const size_t at = header.e_shoff + i * sizeof (Elf64_Shdr);
        if (at + sizeof (s) <= file.size())
            std::memcpy (&s, file.data() + at, sizeof (s));
        return s;
    };

    for (const Elf64_Word wanted : { Elf64_Word (SHT_SYMTAB), Elf64_Word (SHT_DYNSYM) })
    {
        for (size_t i = 0; i < header.e_shnum; ++i)
        {
            const auto table = sectionAt (i);
            if (table.sh_type != wanted || table.sh_entsize != sizeof (Elf64_Sym))
                continue;
            const auto strings = sectionAt (table.sh_link);
            for (size_t at = table.sh_offset;
                 at + sizeof (Elf64_Sym) <= table.sh_offset + table.sh_size && at + sizeof (Elf64_Sym) <= file.size();
                 at += sizeof (Elf64_Sym))
            {
                Elf64_Sym sym;
                std::memcpy (&sym, file.data() + at, sizeof (sym));
                if (ELF64_ST_TYPE (sym.st_info) != STT_FUNC || sym.st_value == 0)
                    continue;
                const size_t nameAt = strings.sh_offset + sym.st_name;
                if (nameAt >= file.size())
                    continue;
                const char* name = file.data() + nameAt;
                symbols.push_back (
                    { sym.st_value, sym.st_size, std::string (name, strnlen (name, file.size() - nameAt)) });
            }
        }
        if (!symbols.empty())
            break;
    }

    std::sort (symbols.begin(), symbols.end(), [] (const Symbol& a, const Symbol& b) { return a.start < b.start; });
}

std::string ElfSymbols::nameAt (uintptr_t offset) const
{
    const char* name = find (offset);
    return name != nullptr ? std::string (name) : std::string();
}

const char* ElfSymbols::find (uintptr_t offset) const noexcept
{
    auto it = std::upper_bound (symbols.begin(), symbols.end(), offset,
                                [] (uintptr_t o, const Symbol& s) { return o < s.start; });
    if (it == symbols.begin())
        return nullptr;
    --it;
    return offset < it->start + std::max<uintptr_t> (it->size, 1) ? it->name.c_str() : nullptr;
}
} // namespace t9validate
