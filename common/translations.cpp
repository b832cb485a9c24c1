#include "translations.h"
#include "common/logging.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Translations {

namespace {

const char EnvironmentName[] = "ZORVANE_LANGUAGE";
const char Chinese[] = "zh_CN";
const char English[] = "en";

QTranslator *installed = nullptr;
QString installedLanguage;

} // namespace

QString languageOfSetting(int index)
{
    return QLatin1String(index == 1 ? English : Chinese);
}

QString inherited()
{
    const QString passed = QString::fromLocal8Bit(qgetenv(EnvironmentName)).trimmed();
    return passed.isEmpty() ? QString::fromLatin1(Chinese) : passed;
}

bool install(const QString &language)
{
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    installedLanguage = language;
    qputenv(EnvironmentName, language.toLocal8Bit());
    // Qt speaks English without a file.
    if (language.isEmpty() || QLocale(language).language() == QLocale::English)
        return true;
    auto *translator = new QTranslator;
    // "qt_<language>" gathers the files of all Qt modules.
    if (!translator->load(QLocale(language), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
        qCDebug(lcText) << "no Qt translations for" << language << "in"
                 << QLibraryInfo::location(QLibraryInfo::TranslationsPath);
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

QString current()
{
    return installedLanguage;
}

} // namespace Translations
