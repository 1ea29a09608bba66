// Feeds arbitrary bytes to the reader of the attribute values file beside a
// map. A text it accepts must write back to a text that reads the same.
#include "attrvaluesfile.h"

#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<AttrValueDetails> values;
    if (!ParseAttrValues(std::string_view(reinterpret_cast<const char*>(data), size), values)) return 0;
    std::vector<AttrValueDetails> again;
    if (!ParseAttrValues(EncodeAttrValues(values), again) || again != values) __builtin_trap();
    return 0;
}
