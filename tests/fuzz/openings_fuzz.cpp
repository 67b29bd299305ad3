// Feeds arbitrary bytes to the opening-book reader: it must never leave the table, and
// whatever it reads must write out and read back as the same entries.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "openings/Openingu.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto book = std::make_unique<OpeningBook>();
    static auto again = std::make_unique<OpeningBook>();
    book->EntryCount = -1;
    ReadOpenings(*book, std::string(reinterpret_cast<const char*>(data), size));
    Check(book->EntryCount >= 0 && book->EntryCount <= OpeningBookSize);
    // Every full group takes at least eight characters and seven separators.
    Check(static_cast<size_t>(book->EntryCount) * 15 <= size);
    for (int i = 0; i < book->EntryCount; ++i)
        for (const auto& file : book->Entries[i])
            for (int32_t code : file) Check(code >= -Queen && code <= Queen);

    const std::string text = WriteOpenings(*book);
    Check(text.size() == static_cast<size_t>(book->EntryCount) * 82);
    ReadOpenings(*again, text);
    Check(again->EntryCount == book->EntryCount);
    Check(std::memcmp(again->Entries, book->Entries,
                      static_cast<size_t>(book->EntryCount) * sizeof book->Entries[0]) == 0);
    return 0;
}
