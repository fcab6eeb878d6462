// Arbitrary bytes read as a subsystem description file "*.sub". A file is written back; its text
// must read back with the check passed and the same number of parameters.

#include "stationdata/SubsystemFile.h"

#include <cstddef>
#include <cstdint>

using namespace kalver;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const SubsystemFile file = SubsystemFile::fromBytes(bytes);
    const int expected = file.lineCount() >= 3 ? (file.lineCount() - 3) / SubsystemFile::kLinesPerParameter : 0;
    if (file.parameters().size() != expected)
        __builtin_trap();
    const SubsystemFile again = SubsystemFile::fromBytes(file.toBytes());
    if (!again.checkPassed() || again.parameters().size() != file.parameters().size())
        __builtin_trap();
    return 0;
}
