#include "language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

#include "game/game.h"
#include "preferences.h"

namespace vornak {

namespace {

const QString kSettingsKey = QStringLiteral("language");

// Qt's translation of its own buttons ("Cancel", "&Yes"), loaded for any
// language but Thai: the Thai game keeps Qt's English buttons, which its own
// texts name ("กดปุ่ม OK").
QTranslator*& qtTranslator() {
    static QTranslator* translator = nullptr;
    return translator;
}

}  // namespace

QStringList offeredLanguages() {
    QStringList codes{QString::fromUtf8(kSourceLanguage.data(), qsizetype(kSourceLanguage.size()))};
    const QDir folder(QString::fromStdString(catalogFolder()));
    for (const QString& code : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (hasCatalog(code.toStdString())) codes << code;
    return codes;
}

QString languageName(const QString& code) {
    if (code == QStringLiteral("th")) return QStringLiteral("ไทย");  // a language's own name
    if (code == QStringLiteral("en")) return QStringLiteral("English");
    return code;
}

QString savedLanguage() {
    const QSettings s(preferencesFile(), QSettings::IniFormat);
    return s.value(kSettingsKey, QStringLiteral("th")).toString();
}

void saveLanguage(const QString& code) {
    QSettings s(preferencesFile(), QSettings::IniFormat);
    s.setValue(kSettingsKey, code);
    s.sync();
}

bool applyLanguage(const QString& code) {
    const bool ok = setLanguage(code.toStdString());
    installQtTranslation();
    return ok;
}

bool switchGameLanguage(Game& game, const QString& code) {
    if (!game.switchLanguage(code.toStdString())) return false;
    installQtTranslation();
    saveLanguage(code);
    return true;
}

void installQtTranslation() {
    const QString code = QString::fromStdString(language());
    QTranslator*& translator = qtTranslator();
    if (translator != nullptr) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
    if (!speaksThai()) {
        auto* qt = new QTranslator;
        if (qt->load(QStringLiteral("qtbase_") + code,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt);
            translator = qt;
        } else {
            delete qt;
        }
    }
}

}  // namespace vornak
