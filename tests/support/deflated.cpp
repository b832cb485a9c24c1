#include "deflated.h"

#include <zlib.h>

QByteArray deflated(const QByteArray &in, int windowBits, int flush)
{
    z_stream z {};
    deflateInit2(&z, 9, Z_DEFLATED, windowBits, 9, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&z, uLong(in.size()))) + 64, Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
    z.avail_in = uInt(in.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, flush);
    out.resize(out.size() - int(z.avail_out));
    deflateEnd(&z);
    return out;
}
