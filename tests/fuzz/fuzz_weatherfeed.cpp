// Arbitrary bodies as a weather list, run on demand with libFuzzer:
//
//   cmake -S . -B build -DZV_FUZZ=ON
//   cmake --build build --target fuzz-weatherfeed
//
// A list arrives in pieces of any size; read piece by piece it must give
// exactly what it gives whole, and never more places or longer names than
// the limits allow. The same bytes taken as a gzip or deflate body must
// inflate to the same body, with the same verdict, whatever the pieces
// they arrive and are taken out in, and never in a piece larger than asked.
#include "fuzzrequire.h"
#include "common/bodydecoder.h"
#include "dock/widgets/weatherfeed.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

bool same(const WeatherFeed::Document &a, const WeatherFeed::Document &b)
{
    return a.parsed == b.parsed && a.root == b.root && a.cities == b.cities;
}

struct Decoded
{
    bool ok = true;
    bool complete = false;
    bool capped = false; // stopped at the cap: the rest was not looked at
    QByteArray body;
};

// What a download does with the body: raw bytes given in pieces of `in`,
// the body taken out in pieces of at most `out`.
Decoded decode(BodyDecoder::Coding coding, const QByteArray &raw, int in, int out)
{
    constexpr int Cap = 1 << 20;
    BodyDecoder d(coding);
    Decoded r;
    int at = 0;
    for (int passes = 0;; ++passes) {
        // Each pass gives or takes something: a decoder that stands still is a fault.
        require(passes < 4 * (raw.size() + Cap / out) + 16);
        if (d.wantsInput()) {
            if (at >= raw.size())
                break;
            d.give(raw.mid(at, in));
            at += in;
        }
        QByteArray piece;
        if (!d.take(&piece, out)) {
            r.ok = false;
            return r;
        }
        require(piece.size() <= out);
        r.body += piece;
        if (r.body.size() > Cap) {
            r.capped = true;
            return r;
        }
    }
    r.complete = d.complete();
    return r;
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
    for (BodyDecoder::Coding coding : { BodyDecoder::Coding::Gzip, BodyDecoder::Coding::Deflate }) {
        // Given whole and taken in the pieces a download takes: a larger piece
        // only slows each run down (the sanitizer marks every byte of it).
        const Decoded whole = decode(coding, body, qMax(1, body.size()), 64 * 1024);
        const Decoded pieces = decode(coding, body, step, 64 + (step * 37) % 4096);
        if (whole.capped || pieces.capped)
            continue;
        require(whole.ok == pieces.ok);
        if (!whole.ok)
            continue;
        require(whole.complete == pieces.complete);
        require(whole.body == pieces.body);
        if (whole.complete)
            (void)WeatherFeed::parse(whole.body, WeatherFeed::CityColumns);
    }
    return 0;
}
