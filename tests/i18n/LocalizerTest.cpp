#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include "i18n/core/MessageStrings.h"
#include "i18n/gui/Frame.h"
#include "i18n/gui/FreeLocalizer.h"
#include "text/core/VuViewerMsg.h"

namespace {

class TLocFrame : public TFrame {
    Q_OBJECT
public:
    explicit TLocFrame(QWidget* parent) : TFrame(parent)
    {
        setObjectName("frmButtons");
        ok = new QPushButton("Да", this);
        ok->setObjectName("btnOk");
    }
    QPushButton* ok;
};

// Two levels of our own classes over QDialog, as a form inheriting from a
// base form has them.
class TLocBaseForm : public QDialog {
    Q_OBJECT
public:
    TLocBaseForm()
    {
        setObjectName("BaseForm");
        title = new QLabel("Заголовок", this);
        title->setObjectName("lblTitle");
        note = new QLabel("Заметка", this);
        note->setObjectName("lblNote");
    }
    QLabel* title;
    QLabel* note;
};

class TLocForm : public TLocBaseForm {
    Q_OBJECT
public:
    TLocForm()
    {
        setObjectName("Form1");
        setWindowTitle("Просмотр");
        list = new QListWidget(this);
        list->setObjectName("lbHelp");
        list->addItem("Помощь");
        frame = new TLocFrame(this);
    }
    QListWidget* list;
    TLocFrame* frame;
};

const QByteArray kHead = "; Morvath's Quillon Localizer Language File.\nCodepage=65001\nHumanize=1\n";

class Localizer : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Write(const QString& name, const QByteArray& body)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kHead + body);
        return path;
    }
};

}  // namespace

TEST_F(Localizer, MissingFileLeavesDesignedTexts)
{
    TFreeLocalizer loc;
    TLocForm form;
    EXPECT_FALSE(loc.LoadLanguage(dir.filePath("english")));
    loc.TranslateAllForms();
    EXPECT_EQ(form.windowTitle(), "Просмотр");
    EXPECT_EQ(loc.ErrorPolicy(), epIgnore);
    EXPECT_FALSE(loc.AutoTranslate());
}

TEST_F(Localizer, TranslatesEveryFormAlongItsClassChainAndFrames)
{
    TFreeLocalizer loc;
    TLocForm shown;
    shown.show();
    TLocForm hidden;
    const QString file = Write("english.lng",
                               "[TLocBaseForm]\n"
                               "lblTitle.Caption=Title\n"
                               "lblNote.Caption=Base note\n"
                               "[TLocForm]\n"
                               "Caption=Viewer\n"
                               "lblNote.Caption=Derived note\n"
                               "lbHelp.Items.Strings=Line one\\Line two\n"
                               "frmButtons.btnOk.Hint=Confirm\n"
                               "[TLocFrame]\n"
                               "btnOk.Caption=OK\n"
                               "[TLocForm]\n"
                               "Caption=Second section of the same name\n");
    EXPECT_TRUE(loc.LoadLanguage(file));
    loc.TranslateAllForms();
    for (TLocForm* f : {&shown, &hidden}) {
        EXPECT_EQ(f->windowTitle(), "Viewer");
        EXPECT_EQ(f->title->text(), "Title");
        EXPECT_EQ(f->note->text(), "Derived note");  // the class's own section comes last
        ASSERT_EQ(f->list->count(), 2);
        EXPECT_EQ(f->list->item(1)->text(), "Line two");
        EXPECT_EQ(f->frame->ok->text(), "OK");
        EXPECT_EQ(f->frame->ok->toolTip(), "Confirm");
    }
}

TEST_F(Localizer, UnknownPropertyIsSkippedAndLaterEntriesApply)
{
    TFreeLocalizer loc;
    TLocForm form;
    ASSERT_TRUE(loc.LoadLanguage(Write("a.lng", "[TLocForm]\nlblTitle.Colour=Red\nlblTitle.Caption=Still applied\n")));
    loc.TranslateComponent(&form);
    EXPECT_EQ(form.title->text(), "Still applied");

    loc.SetErrorPolicy(epRaise);
    try {
        loc.TranslateComponent(&form);
        FAIL() << "no report raised";
    } catch (const ELocalizerError& e) {
        EXPECT_EQ(e.Message(), "Unknown property \"lblTitle.Colour\" found in component \"Form1\".\r\n"
                               "Remove it from language file");
    }
    ASSERT_TRUE(loc.LoadLanguage(Write("b.lng", "[TLocForm]\nlbHelp.count=3\n")));
    try {
        loc.TranslateComponent(&form);
        FAIL() << "no report raised";
    } catch (const ELocalizerError& e) {
        EXPECT_EQ(e.Message(), "Translation error of property \"lbHelp.count\" in component \"Form1\"\r\n"
                               "Property \"count\" is read-only");
    }
}

TEST_F(Localizer, AutoTranslateCatchesFormsCreatedLater)
{
    TFreeLocalizer loc;
    loc.SetAutoTranslate(true);
    ASSERT_TRUE(loc.LoadLanguage(Write("e.lng", "[TLocForm]\nCaption=Viewer\nlblTitle.Caption=Title\n")));

    TLocForm later;
    EXPECT_EQ(later.windowTitle(), "Просмотр");  // not shown yet
    later.show();
    EXPECT_EQ(later.windowTitle(), "Viewer");
    // Once translated, showing again leaves texts the program set alone.
    later.setWindowTitle("Viewer -- file.txt");
    later.hide();
    later.show();
    EXPECT_EQ(later.windowTitle(), "Viewer -- file.txt");

    // A form that reports its construction is translated at once, so its
    // own texts set afterwards survive the first show.
    TLocForm early;
    loc.FormCreated(&early);
    early.title->setText("Set by the program");
    early.show();
    EXPECT_EQ(early.windowTitle(), "Viewer");
    EXPECT_EQ(early.title->text(), "Set by the program");

    // Loading a language retranslates every form while AutoTranslate is on;
    // texts the new file does not mention stay as they were.
    ASSERT_TRUE(loc.LoadLanguage(Write("r.lng", "[TLocForm]\nCaption=Просмотр\n")));
    EXPECT_EQ(later.windowTitle(), "Просмотр");
    EXPECT_EQ(later.title->text(), "Title");

    loc.SetAutoTranslate(false);
    TLocForm off;
    off.show();
    EXPECT_EQ(off.title->text(), "Заголовок");
}

TEST_F(Localizer, MessageStringsFollowTheLanguage)
{
    {
        TFreeLocalizer loc;
        ASSERT_TRUE(loc.LoadLanguage(Write("ru.lng", "[RESOURCESTRINGS]\n1001_FileNotFound=Файл не найден: %s\n"
                                                     "2002_NotFound=Строка не найдена\n")));
        EXPECT_EQ(ViewerMessages.FileNotFound, u"Файл не найден: %s");
        EXPECT_EQ(LoadResString(rsTextNotFound), u"Строка не найдена");
        // A file without message strings keeps the first file's.
        ASSERT_TRUE(loc.LoadLanguage(Write("forms.lng", "[TLocForm]\nCaption=x\n")));
        EXPECT_EQ(ViewerMessages.FileNotFound, u"Файл не найден: %s");
    }
    // Without a localizer the built-in texts are back.
    EXPECT_EQ(ViewerMessages.FileNotFound, u"File not found: %s");
    EXPECT_EQ(LoadResString(rsTextNotFound), u"Search string not found");
    SetResStringRedirect(true);
}

TEST_F(Localizer, OnlyOneAtATime)
{
    TFreeLocalizer loc;
    EXPECT_EQ(TFreeLocalizer::Instance(), &loc);
    EXPECT_THROW(TFreeLocalizer second, std::logic_error);
    EXPECT_EQ(TFreeLocalizer::Instance(), &loc);
}

#include "LocalizerTest.moc"
