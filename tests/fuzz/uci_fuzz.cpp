// Feeds arbitrary bytes to brisko-uci's protocol as the GUI's lines: it may not crash, hang or
// report undefined behaviour, and nothing it writes holds a control byte but the line ends.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "uci/Protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::ostringstream out;
    {
        // No book unless the lines name one; the end of the input stops any search.
        UciEngine engine(out, "");
        std::stringbuf in(std::string(reinterpret_cast<const char*>(data), size));
        RunUci(in, engine);
    }
    for (const char c : out.str())
        if ((static_cast<unsigned char>(c) < ' ' && c != '\n') || c == '\x7f') std::abort();
    return 0;
}
