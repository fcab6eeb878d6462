// Arbitrary subsystem data decoded against an arbitrary parameter grid.
//
// Input: byte 0 bits 0-3 the number of grid rows, bit 4 the system configuration subsystem selected;
// then one byte per row choosing its access and type from the table below (known types, tables of
// every element type, malformed table specifications); the rest is the payload, decoded directly and
// through the handler.

#include "LinkHarness.h"

#include "link/SubsystemData.h"

using namespace kalver;

namespace {

const char* const kTypes[] = {"int32",        "uint32",        "uint64",      "int64",         "float",
                              "hex32",        "tab2",          "table3/int32", "table2/float",  "table1/uint64",
                              "table0/int32", "table4/hex32",  "table2/int64", "table9/uint32", "table/int32",
                              "table3/",      "table-1/int32", "table99999999/int32", "table2/table2/int32",
                              "bogus",        "",              "table65536/uint64"};
const char* const kAccess[] = {"r", "w", "rw"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (fuzz::setUpLinkProcess("subsystem_data_fuzz"), true);
    (void)ready;
    if (size < 1)
        return 0;
    const std::size_t rows = std::min<std::size_t>(data[0] & 15, size - 1);
    link::ParameterGrid grid;
    for (std::size_t i = 0; i < rows; ++i) {
        const std::uint8_t pick = data[1 + i];
        link::ParameterRow row;
        row.name = QStringLiteral("p");
        row.access = QString::fromLatin1(kAccess[(pick >> 5) % 3]);
        row.type = QString::fromLatin1(kTypes[(pick & 31) % std::size(kTypes)]);
        grid.rows.append(row);
    }
    const QByteArrayView payload(reinterpret_cast<const char*>(data + 1 + rows),
                                 static_cast<qsizetype>(size - 1 - rows));

    link::ParameterGrid direct = grid;
    link::SmallTable table;
    const std::int32_t result = link::decodeSubsystemData(direct, &table, payload);
    if (result != 1 && result != 3 && result != 4 && result != 5)
        __builtin_trap();
    link::ParameterGrid noTable = grid;
    (void)link::decodeSubsystemData(noTable, nullptr, payload);

    fuzz::LinkHarness harness(3, false);
    harness.observer().grid = grid;
    if (data[0] & 16)
        harness.observer().subsystem = QStringLiteral("0047464544434241\\системной конфигурации.sub");
    harness.dispatch(112, payload);
    return 0;
}
