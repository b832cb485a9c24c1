// Feeds arbitrary bytes to the program-file icon reader. Any read past the
// data, overflow or runaway allocation shows up under the sanitizers.
#include "platform/peicons.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > (1u << 22))
        return 0;
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const platform::PeIcons::Contents c = platform::PeIcons::read(file);
    qint64 total = 0;
    for (const auto &icon : c.icons)
        total += icon.ico().size();
    for (const auto &group : c.groups)
        total += group.ico().size();
    return total < 0; // keeps the work from being optimised away
}
