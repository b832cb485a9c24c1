#pragma once
#include <QByteArray>

// The bytes of in through zlib's deflate at its strongest, in one call:
// windowBits as deflateInit2 takes it (negative for a raw stream, +16 for
// gzip) and flush as deflate takes it (Z_FINISH ends the stream,
// Z_FULL_FLUSH leaves a block that owes nothing to what came before).
QByteArray deflated(const QByteArray &in, int windowBits, int flush);
