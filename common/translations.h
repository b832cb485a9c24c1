#pragma once
#include <QString>

// Qt's own texts (standard buttons, file, font and colour dialogs, the hot-key
// field) in the language of our interface. Our texts are Chinese; the dock's
// language setting may switch Qt's texts to English. The notes program and the
// colour picker take the language the dock passes them in the environment.
namespace Translations {

// The language of an index of the dock's language setting: 0 (and anything
// unknown) Chinese, 1 English.
QString languageOfSetting(int index);
// The language this program was started with: the one the dock passed on,
// Chinese when started on its own.
QString inherited();
// Replaces the Qt texts loaded before with those of `language` ("zh_CN",
// "en"), and passes the language on to the programs started from here.
// English needs no file; false when the file of another language is missing.
bool install(const QString &language);
// The language last installed; empty before the first install.
QString current();

} // namespace Translations
