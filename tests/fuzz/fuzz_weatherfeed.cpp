// Arbitrary bodies as a weather list, run on demand with libFuzzer:
//
//   cmake -S . -B build -DZV_FUZZ=ON
//   cmake --build build --target fuzz-weatherfeed
//
// A list arrives in pieces of any size; read piece by piece it must give
// exactly what it gives whole, and never more places or longer names than
// the limits allow.
#include "fuzzrequire.h"
#include "dock/widgets/weatherfeed.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

bool same(const WeatherFeed::Document &a, const WeatherFeed::Document &b)
{
    return a.parsed == b.parsed && a.root == b.root && a.cities == b.cities;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > (1u << 20))
        return 0;
    // The first byte chooses where the pieces are cut.
    const int step = 1 + data[0];
    const QByteArray body(reinterpret_cast<const char *>(data + 1), int(size - 1));
    for (const QStringList *columns : { &WeatherFeed::ProvinceColumns, &WeatherFeed::CityColumns }) {
        const WeatherFeed::Document whole = WeatherFeed::parse(body, *columns);
        WeatherFeed::Reader reader(*columns);
        for (int at = 0; at < body.size(); at += step)
            reader.feed(body.mid(at, step));
        const WeatherFeed::Document pieces = reader.finish();
        require(same(whole, pieces));
        require(whole.parsed || (whole.cities.isEmpty() && whole.root.isEmpty()));
        require(whole.cities.size() <= WeatherFeed::MaxCities);
        for (const auto &city : whole.cities) {
            for (auto it = city.constBegin(); it != city.constEnd(); ++it) {
                require(columns->contains(it.key()));
                require(it.value().size() <= WeatherFeed::MaxValueLength);
            }
        }
    }
    return 0;
}
