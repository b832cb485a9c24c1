// Random frames against the message codec, run on demand with libFuzzer:
//
//   cmake -S . -B build -DZV_FUZZ=ON
//   cmake --build build --target fuzz-systemmessage
//
// Every input is a buffer as a receiver may hold it; the decoder must never
// read past it, and what it accepts must be exactly one frame.
#include "fuzzrequire.h"
#include "common/systemmessage.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 2 * SystemMessage::MaxBytes)
        return 0;
    const QByteArray buf = QByteArray(reinterpret_cast<const char *>(data), int(size));
    quint32 dwData = 0;
    QByteArray text;
    switch (SystemMessage::decode(buf, &dwData, &text)) {
    case SystemMessage::DecodeResult::Complete: {
        require(buf.size() >= 8 && text.size() == buf.size() - 8);
        require(quint32(text.size()) <= SystemMessage::MaxBytes);
        // The frame it read is the frame it would write.
        require(SystemMessage::encode(dwData, text) == buf);
        // Every prefix only asks for more.
        for (int cut = 0; cut < buf.size(); cut += 1 + buf.size() / 16)
            require(SystemMessage::decode(buf.left(cut), nullptr, nullptr) == SystemMessage::DecodeResult::NeedMore);
        const SystemMessage::Parsed p = SystemMessage::parse(QString::fromUtf8(text));
        require(p.hasComma || p.sender.isEmpty());
        break;
    }
    case SystemMessage::DecodeResult::NeedMore:
        require(buf.size() < 8 || quint32(buf.size()) < 8 + (quint32(quint8(buf[4])) << 24 | quint32(quint8(buf[5])) << 16
                                                              | quint32(quint8(buf[6])) << 8 | quint8(buf[7])));
        break;
    case SystemMessage::DecodeResult::Malformed:
        require(buf.size() >= 8);
        break;
    }
    return 0;
}
