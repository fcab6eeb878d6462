// Arbitrary bytes read as "settings.ini". A file that reads is written back and must read back to the
// same values.

#include "config/SettingsFile.h"

#include <cstddef>
#include <cstdint>

using namespace kalver;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto values = settings::parse(bytes);
    if (!values)
        return 0;
    if (values->grid.size() != values->clusters + 2 || !settings::kClustersRange.contains(values->clusters))
        __builtin_trap();
    const auto again = settings::parse(settings::toBytes(*values));
    if (!again || !(*again == *values))
        __builtin_trap();
    return 0;
}
