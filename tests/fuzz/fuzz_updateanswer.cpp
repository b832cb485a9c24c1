// Arbitrary bodies as the update page's answer, run on demand with libFuzzer:
//
//   cmake -S . -B build -DZV_FUZZ=ON
//   cmake --build build --target fuzz-updateanswer
//
// The parser must take any body without reading past it, and the release
// notes it finds go through the checks that decide how they are shown.
#include "fuzzrequire.h"
#include "common/plaintext.h"
#include "dock/tools/updateanswer.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The updater takes no larger answer.
    if (size > 256 * 1024)
        return 0;
    const QByteArray body(reinterpret_cast<const char *>(data), int(size));
    const UpdateAnswer a = UpdateAnswer::parse(body, 1809);
    if (!a.parsed) {
        require(a.versionsNewer.isEmpty() && !a.number && !a.content && !a.downloadUrl);
        return 0;
    }
    require(a.newerCount() <= a.versionsNewer.size());
    if (a.content) {
        const bool fits = PlainText::richTextFits(*a.content, 256 * 1024);
        const QString words = PlainText::withoutMarkup(*a.content);
        // Taking the markup away never adds text.
        require(words.size() <= a.content->size() + 1);
        // What does not fit as rich text is no better as more of it.
        if (!fits)
            require(!PlainText::richTextFits(*a.content + *a.content, 256 * 1024) || a.content->isEmpty());
    }
    return 0;
}
