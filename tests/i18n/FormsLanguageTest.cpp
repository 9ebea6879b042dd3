// The shipped language files against the program's real forms: English
// leaves no visible text in Cyrillic, Russian brings every designed Russian
// text back, and the main window translates itself at start-up from the
// language file conf.ini names.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FormTexts.h"
#include "app/gui/AppSeams.h"
#include "app/gui/LocalizerSeam.h"
#include "app/gui/Form1.h"
#include "i18n/gui/FreeLocalizer.h"

namespace {

const QString kLanguages = QStringLiteral(PEEKWELL_LANGUAGES);

class FormsLanguage : public ::testing::Test {
protected:
    QTemporaryDir appDir;
    TFreeLocalizer localizer;
    TFreeLocalizerSeam seam{localizer};

    // The main window started from `appDir` (its conf.ini and Languages/).
    std::unique_ptr<TForm1> Start(bool withEnglish)
    {
        if (withEnglish) {
            QDir(appDir.path()).mkpath("Languages");
            EXPECT_TRUE(QFile::copy(kLanguages + "english.lng", appDir.filePath("Languages/english.lng")));
        }
        TForm1Options options;
        options.appDir = appDir.path() + "/";
        options.useCommandLine = false;
        options.localizer = &seam;
        options.reportError = [](const QString&) {};
        return std::make_unique<TForm1>(std::move(options));
    }
};

QStringList CyrillicTexts(const QMap<QString, QString>& texts)
{
    QStringList found;
    for (auto it = texts.begin(); it != texts.end(); ++it)
        if (HasCyrillic(it.value()))
            found << it.key() + " = " + it.value();
    return found;
}

}  // namespace

TEST_F(FormsLanguage, EnglishAtStartLeavesNoCyrillicAndRussianRestoresTheDesign)
{
    const auto designed = [&] {
        auto bare = Start(false);
        return VisibleTextsOfAllForms();
    }();
    ASSERT_FALSE(CyrillicTexts(designed).isEmpty()) << "the forms are designed in Russian";
    // The walk reaches the toolbar, the menus and the other windows.
    EXPECT_EQ(designed.value("Form1/leftpanel/btnopen:Hint"), "Открыть файл");
    EXPECT_EQ(designed.value("Form1/options/N8:Caption"), "Изменить язык");
    EXPECT_EQ(designed.value("Fpluginst/btncancelplug:Caption"), "Отмена");

    auto form = Start(true);
    const QStringList left = CyrillicTexts(VisibleTextsOfAllForms());
    EXPECT_TRUE(left.isEmpty()) << left.join('\n').toStdString();

    ASSERT_TRUE(localizer.LoadLanguage(kLanguages + "russian.lng"));
    localizer.TranslateAllForms();
    const auto restored = VisibleTextsOfAllForms();
    for (auto it = designed.begin(); it != designed.end(); ++it)
        if (HasCyrillic(it.value())) {
            EXPECT_EQ(restored.value(it.key()).toStdString(), it.value().toStdString()) << it.key().toStdString();
        }
}
