#pragma once
#include <QByteArray>

// A stored file as the earlier code wrote it, from tests/fixtures/stored;
// "missing fixture" when there is none, so that no comparison passes by
// two empty files.
QByteArray storedFixture(const char *name);
