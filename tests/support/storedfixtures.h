#pragma once
#include <QByteArray>

// A stored file as the earlier code wrote it, from tests/fixtures/stored;
// "missing fixture" when there is none, so that no comparison passes by
// two empty files.
QByteArray storedFixture(const char *name);
// Any fixture, by its path under tests/fixtures ("bar/white-bottom.png").
QByteArray fixture(const QString &path);

// What a test would compare with the fixture of that name (a path under the
// fixture's folder). With ZV_RECORD_FIXTURES set to a folder it is written
// there too, so that the fixtures of a new case can be made by the code
// that writes the files now.
QByteArray recorded(const char *name, const QByteArray &bytes);
