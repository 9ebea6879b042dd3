// The find command on the real main window: the find dialog and the
// progress window are driven as a user would, the message boxes read and
// closed as they open.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>

#include "ModalScript.h"
#include "TempDir.h"
#include "binhex/gui/VuBinHex.h"
#include "app/gui/FindDialog.h"
#include "app/gui/LocalizerSeam.h"
#include "app/gui/Form1.h"
#include "app/gui/FormProgress.h"
#include "app/gui/SpeedButton.h"
#include "i18n/core/MessageStrings.h"
#include "i18n/gui/FreeLocalizer.h"
#include "viewer/core/VuExtLists.h"
#include "viewer/gui/VuViewer.h"

namespace {

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Records every window shown.
class WindowsShown : public QObject {
public:
    WindowsShown() { qApp->installEventFilter(this); }
    ~WindowsShown() override { qApp->removeEventFilter(this); }
    QStringList names;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            if (auto* w = qobject_cast<QWidget*>(o); w && w->isWindow())
                names << QString::fromLatin1(w->metaObject()->className());
        return false;
    }
};

// The boxes of the find dialog to check: OEM, Unicode, UnicodeBE.
struct Boxes {
    bool oem = false, unicode = false, unicodeBE = false, backward = false;
    int utf8 = -1;  // UTF-8: -1 leaves the box as the dialog opened
};

class Form1Find : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetExtensionLists();
        TForm1Options o;
        o.appDir = QString::fromStdString(dir_.path());
        o.useCommandLine = false;
        o.localizer = localizer_;
        o.reportError = [](const QString&) {};
        form_ = std::make_unique<TForm1>(std::move(o));
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }
    void TearDown() override
    {
        form_.reset();
        ResetExtensionLists();
    }

    void Open(const std::string& bytes, const std::string& name = "file.txt")
    {
        file_ = dir_.Write(name, bytes);
        ASSERT_TRUE(form_->viewer->Open(QString::fromStdString(file_)));
    }

    // The next find dialog gets `text` and `boxes`, then Find is pressed.
    void AnswerDialog(const QString& text, Boxes boxes = {})
    {
        script_.On<TFindtextt>([text, boxes](TFindtextt* d) {
            d->texttofind->setText(text);
            d->encoem->setChecked(boxes.oem);
            d->encunicode->setChecked(boxes.unicode);
            d->encunicodebe->setChecked(boxes.unicodeBE);
            if (boxes.utf8 >= 0)
                d->encutf8->setChecked(boxes.utf8 == 1);
            d->reverce->setChecked(boxes.backward);
            d->start->click();
        });
    }

    // The next message box is read into `seen` and closed.
    void ReadBox(SeenBox& seen)
    {
        script_.On<QMessageBox>([&seen](QMessageBox* box) {
            seen = {box->windowTitle(), box->text(), box->icon()};
            box->accept();
        });
    }

    // Keys reach the window's shortcuts while it is the active window: the
    // find command hands activation back when its windows close.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        QTest::keyClick(form_.get(), key, modifiers);
    }
    void PressCtrlF() { Press(Qt::Key_F, Qt::ControlModifier); }
    TVuBinHexModel& View() { return form_->viewer->TextView()->Model(); }
    std::pair<int64_t, int64_t> Selection() { return {View().SelStart(), View().SelLength()}; }
    void PressF3() { Press(Qt::Key_F3); }

    TAppLocalizer* localizer_ = nullptr;
    TempDir dir_;
    std::string file_;
    std::unique_ptr<TForm1> form_;
    ModalScript script_;
};

const QString kTitle = QStringLiteral("Peekwell 1.1.6 (Tarnwick)");

std::string Utf16(const std::u16string& text, bool bigEndian)
{
    std::string bytes;
    for (char16_t c : text) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return bytes;
}

}  // namespace

TEST_F(Form1Find, FindNextBeforeAnyFindDoesNothing)
{
    Open("one two one");
    WindowsShown shown;
    PressF3();
    form_->ToolButton(QStringLiteral("btnfindnext"))->click();
    form_->DoFind(false);
    QTest::qWait(20);
    EXPECT_TRUE(shown.names.isEmpty()) << shown.names.join(' ').toStdString();
    EXPECT_EQ(form_->Search->MatchLength(), 0);
}

TEST_F(Form1Find, FindThenFindNextUntilNotFound)
{
    Open("one two one two one");
    AnswerDialog(QStringLiteral("two"));
    PressCtrlF();
    EXPECT_TRUE(script_.Done());
    EXPECT_EQ(form_->Search->MatchStart(), 4);
    EXPECT_EQ(form_->Search->MatchLength(), 3);
    EXPECT_EQ(Selection(), std::make_pair(int64_t{4}, int64_t{3}));

    PressF3();
    EXPECT_EQ(form_->Search->MatchStart(), 12);
    EXPECT_EQ(Selection(), std::make_pair(int64_t{12}, int64_t{3}));

    // No third match: the not-found box, then find next has nothing left.
    SeenBox seen;
    ReadBox(seen);
    form_->ToolButton(QStringLiteral("btnfindnext"))->click();
    EXPECT_TRUE(script_.Done());
    EXPECT_EQ(seen.title, kTitle);
    EXPECT_EQ(seen.text, QStringLiteral("Search string not found"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(form_->Search->MatchLength(), 0);
    EXPECT_EQ(Selection(), std::make_pair(int64_t{12}, int64_t{3}));  // find next keeps it

    WindowsShown shown;
    PressF3();
    EXPECT_TRUE(shown.names.isEmpty());

    // The toolbar button opens the dialog too; backward from the end.
    AnswerDialog(QStringLiteral("one"), {.backward = true});
    form_->ToolButton(QStringLiteral("btnfind"))->click();
    EXPECT_EQ(form_->Search->MatchStart(), 16);
    EXPECT_EQ(Selection(), std::make_pair(int64_t{16}, int64_t{3}));

    // A new find drops the selection first, found or not.
    AnswerDialog(QStringLiteral("three"));
    ReadBox(seen);
    PressCtrlF();
    EXPECT_TRUE(script_.Done());
    EXPECT_EQ(Selection().second, 0);
}

TEST_F(Form1Find, MatchIsScrolledIntoView)
{
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("row %1\n").arg(i, 5, 10, QLatin1Char('0')).toStdString();
    Open(text);
    ASSERT_EQ(View().ViewPos(), 0);
    AnswerDialog(QStringLiteral("row 05000"));
    PressCtrlF();
    EXPECT_TRUE(script_.Done());
    EXPECT_EQ(Selection(), std::make_pair(int64_t{50000}, int64_t{9}));
    // The line of the match shows TextSearchIndentVert lines below the top
    // (one more, as it starts its line).
    const int indent = form_->viewer->TextView()->TextSearchIndentVert();
    EXPECT_EQ(View().ViewPos(), 50000 - (indent + 1) * 10);
}


TEST_F(Form1Find, StopEndsALongSearchWithTheNotFoundBox)
{
    // The text is at the very end: only STOP keeps it from being found.
    Open(std::string(8 << 20, 'x') + "needle");
    AnswerDialog(QStringLiteral("needle"));
    QString label;
    script_.On<TFormProgress>([&label](TFormProgress* p) {
        label = p->LabCaption->text();
        p->btnCancel->click();
    });
    SeenBox seen;
    ReadBox(seen);
    PressCtrlF();
    EXPECT_TRUE(script_.Done());
    EXPECT_TRUE(label.endsWith(QStringLiteral(" \\ 8388614)"))) << label.toStdString();
    EXPECT_EQ(seen.title, kTitle);
    EXPECT_EQ(seen.text, QStringLiteral("Search string not found"));
    EXPECT_EQ(form_->Search->MatchLength(), 0);
    // The progress window is gone.
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<TFormProgress*>(w), nullptr);
}

TEST_F(Form1Find, EncodingBoxes)
{
    const std::u16string text = u"xx hello";
    struct Case {
        const char* what;
        bool bigEndianFile;
        Boxes boxes;
        int64_t match;  // -1: not found
    };
    const Case cases[] = {
        {"both Unicode boxes search big-endian", true, {.unicode = true, .unicodeBE = true}, 6},
        {"Unicode alone is little-endian", true, {.unicode = true}, -1},
        {"OEM with Unicode searches Unicode", false, {.oem = true, .unicode = true}, 6},
        {"OEM alone is one byte a character", false, {.oem = true}, -1},
    };
    for (const Case& c : cases) {
        Open(Utf16(text, c.bigEndianFile), c.bigEndianFile ? "be.txt" : "le.txt");
        AnswerDialog(QStringLiteral("hello"), c.boxes);
        SeenBox seen;
        if (c.match < 0)
            ReadBox(seen);
        PressCtrlF();
        EXPECT_TRUE(script_.Done()) << c.what;
        EXPECT_EQ(form_->Search->MatchStart(), c.match) << c.what;
        EXPECT_EQ(form_->Search->MatchLength(), c.match < 0 ? 0 : 10) << c.what;
        EXPECT_EQ(seen.text, c.match < 0 ? QStringLiteral("Search string not found") : QString()) << c.what;
    }
}

TEST_F(Form1Find, SelectionPrefillsTheDialog)
{
    struct Case {
        const char* what;
        std::string bytes;
        TVuViewerMode mode;
        int64_t start, length;
        QString expected;
    };
    const Case cases[] = {
        {"text", "one two three", vmodeText, 4, 3, QStringLiteral("two")},
        {"Unicode, kept whole", Utf16(u"ab Привет 漢字", false), vmodeUnicode, 6, 18,
         QStringLiteral("Привет 漢字")},
        {"no selection", "one two", vmodeText, 0, 0, QString()},
    };
    for (const Case& c : cases) {
        Open(c.bytes, std::string(c.what) + ".txt");
        form_->viewer->SetMode(c.mode);
        ASSERT_EQ(form_->viewer->Mode(), c.mode);
        View().SetSelection(c.start, c.length);
        QString prefilled;
        script_.On<TFindtextt>([&prefilled](TFindtextt* d) {
            prefilled = d->texttofind->text();
            d->reject();
        });
        PressCtrlF();
        EXPECT_TRUE(script_.Done()) << c.what;
        EXPECT_EQ(prefilled.toStdString(), c.expected.toStdString()) << c.what;
    }
}

// A file detected as UTF-8 opens the dialog with "UTF-8" checked; a
// Cyrillic word is then found and selected whatever its case, and Find
// Next goes on by bytes.
TEST_F(Form1Find, Utf8FileFindsCyrillicWords)
{
    const std::string text = "\xD0\x96\xD1\x83\xD0\xBA \xD0\xB8 \xD0\xB6\xD1\x83\xD0\xBA";  // Жук и жук
    Open(text, "ru.txt");
    ASSERT_EQ(form_->viewer->TextEncoding(), vEncUTF8);
    bool checked = false;
    script_.On<TFindtextt>([&checked](TFindtextt* d) {
        checked = d->encutf8->isChecked();
        d->texttofind->setText(QStringLiteral("ЖУК"));
        d->start->click();
    });
    PressCtrlF();
    EXPECT_TRUE(script_.Done());
    EXPECT_TRUE(checked);
    EXPECT_EQ(Selection(), std::make_pair(int64_t{0}, int64_t{6}));
    PressF3();
    EXPECT_EQ(Selection(), std::make_pair(int64_t{10}, int64_t{6}));
    EXPECT_EQ(form_->viewer->TextView()->SelTextUnicode(), QStringLiteral("жук"));

    // Opened on that selection, the dialog holds it as it stands.
    QString prefilled;
    script_.On<TFindtextt>([&prefilled](TFindtextt* d) {
        prefilled = d->texttofind->text();
        d->cancel->click();
    });
    PressCtrlF();
    EXPECT_EQ(prefilled, QStringLiteral("жук"));

    // Unchecked, the bytes are searched as ANSI: the Cyrillic text is not there.
    AnswerDialog(QStringLiteral("жук"), {.utf8 = 0});
    SeenBox seen;
    ReadBox(seen);
    PressCtrlF();
    EXPECT_TRUE(script_.Done());
    EXPECT_EQ(seen.text, QStringLiteral("Search string not found"));

    // An ANSI file opens it unchecked.
    Open("plain text", "en.txt");
    script_.On<TFindtextt>([&checked](TFindtextt* d) {
        checked = d->encutf8->isChecked();
        d->cancel->click();
    });
    PressCtrlF();
    EXPECT_FALSE(checked);
}

TEST_F(Form1Find, ClosingTheDialogCancels)
{
    Open("one two");
    for (auto close : {std::function<void(TFindtextt*)>([](TFindtextt* d) { d->close(); }),
                       std::function<void(TFindtextt*)>([](TFindtextt* d) { d->cancel->click(); }),
                       std::function<void(TFindtextt*)>(
                           [](TFindtextt* d) { QTest::keyClick(d->texttofind, Qt::Key_Escape); })}) {
        WindowsShown shown;
        script_.On<TFindtextt>([close](TFindtextt* d) {
            d->texttofind->setText(QStringLiteral("two"));
            close(d);
        });
        PressCtrlF();
        EXPECT_TRUE(script_.Done());
        EXPECT_EQ(shown.names, QStringList{QStringLiteral("TFindtextt")});
        EXPECT_EQ(form_->Search->Stream(), nullptr);  // nothing was searched
    }
}

TEST_F(Form1Find, FileThatCannotBeOpened)
{
    Open("one two");
    std::filesystem::remove(file_);
    AnswerDialog(QStringLiteral("two"));
    SeenBox seen;
    ReadBox(seen);
    PressCtrlF();
    EXPECT_TRUE(script_.Done());
    EXPECT_EQ(seen.title, QStringLiteral("Error"));
    EXPECT_EQ(seen.text, QStringLiteral("Can't open file!"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    // Only that box, and find next has nothing to repeat.
    WindowsShown shown;
    PressF3();
    QTest::qWait(20);
    EXPECT_TRUE(shown.names.isEmpty());
}

TEST_F(Form1Find, ReadErrorBox)
{
    // A source that reads at offset 0 and fails everywhere else.
    class TFailingStream : public TVuStream {
    public:
        int64_t Size() const override { return 200000; }
        int64_t ReadAt(int64_t offset, void* buffer, int64_t count) override
        {
            if (offset != 0)
                return -1;
            std::memset(buffer, 0, static_cast<size_t>(count));
            std::memcpy(buffer, "ab", 2);
            return count;
        }
    } failing;
    form_->Search->SetSourceStream(&failing);
    ASSERT_TRUE(form_->Search->FindFirstMatch(u"ab", vEncANSI, 0, 0));
    SeenBox seen;
    ReadBox(seen);
    PressF3();
    EXPECT_TRUE(script_.Done());
    EXPECT_EQ(seen.title, kTitle);
    EXPECT_EQ(seen.text, QStringLiteral("Read error at offset 1"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    form_->Search->SetSourceStream(nullptr);
}

TEST_F(Form1Find, FindNextAfterAnotherFileIsOpenedDoesNothing)
{
    Open("one two two", "a.txt");
    AnswerDialog(QStringLiteral("two"));
    PressCtrlF();
    ASSERT_EQ(form_->Search->MatchStart(), 4);
    Open("two two two", "b.txt");
    WindowsShown shown;
    PressF3();
    EXPECT_TRUE(shown.names.isEmpty());
    EXPECT_EQ(form_->Search->MatchStart(), 4);
}

TEST_F(Form1Find, FindWithNoFileDoesNothing)
{
    WindowsShown shown;
    PressCtrlF();
    QTest::qWait(20);
    EXPECT_TRUE(shown.names.isEmpty());
}

TEST_F(Form1Find, NotFoundTextSources)
{
    Open("one two");
    auto notFoundText = [&] {
        AnswerDialog(QStringLiteral("three"));
        SeenBox seen;
        ReadBox(seen);
        PressCtrlF();
        EXPECT_TRUE(script_.Done());
        return seen.text;
    };
    // Built in, then a language file's message string, then the About
    // title's hint, which a language file's form section fills.
    EXPECT_EQ(notFoundText(), QStringLiteral("Search string not found"));
    ResStringer().Assign({{rsTextNotFound, u"Nichts gefunden"}});
    EXPECT_EQ(notFoundText(), QStringLiteral("Nichts gefunden"));
    auto* title = form_->pAbout->findChild<QWidget*>(QStringLiteral("sLabelFX1"));
    ASSERT_NE(title, nullptr);
    title->setToolTip(QStringLiteral("Строка не найдена"));
    EXPECT_EQ(notFoundText(), QStringLiteral("Строка не найдена"));
    ResStringer().Assign({});
}

namespace {

class Form1FindEnglish : public Form1Find {
protected:
    void SetUp() override
    {
        const std::string languages = dir_.path() + "Languages/";
        std::filesystem::create_directories(languages);
        std::filesystem::copy_file(PEEKWELL_LANGUAGES "english.lng", languages + "english.lng");
        localizer_ = &seam_;
        Form1Find::SetUp();
    }
    void TearDown() override
    {
        Form1Find::TearDown();
        ResStringer().Assign({});
        SetResStringRedirect(true);
        RefreshResStrings();
    }
    TFreeLocalizer localizer{};
    TFreeLocalizerSeam seam_{localizer};
};

}  // namespace

namespace {

// Every caption of a window and its controls, by object name.
QStringList Captions(QWidget* window)
{
    QStringList out{window->objectName() + "=" + window->windowTitle()};
    for (auto* b : window->findChildren<QAbstractButton*>())
        out << b->objectName() + "=" + b->text();
    for (auto* l : window->findChildren<QLabel*>())
        out << l->objectName() + "=" + l->text();
    return out;
}

bool HasCyrillic(const QStringList& texts)
{
    for (const QString& t : texts)
        for (QChar c : t)
            if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF)
                return true;
    return false;
}

}  // namespace

TEST_F(Form1FindEnglish, DialogsSpeakTheLanguageFile)
{
    Open(std::string(1 << 20, 'x'));
    QStringList dialogTexts, progressTexts;
    script_.On<TFindtextt>([&](TFindtextt* d) {
        dialogTexts = Captions(d);
        d->texttofind->setText(QStringLiteral("needle"));
        d->start->click();
    });
    script_.On<TFormProgress>([&](TFormProgress* p) {
        progressTexts = Captions(p);
        p->btnCancel->click();
    });
    SeenBox seen;
    ReadBox(seen);
    PressCtrlF();
    EXPECT_TRUE(script_.Done());
    EXPECT_FALSE(HasCyrillic(dialogTexts)) << dialogTexts.join('\n').toStdString();
    EXPECT_FALSE(HasCyrillic(progressTexts)) << progressTexts.join('\n').toStdString();
    for (const char* caption : {"Findtextt=Find text", "fullword=Whole words only", "reguse=Case sensivity",
                                "reverce=Search backward", "start=Find", "cancel=Cancel"})
        EXPECT_TRUE(dialogTexts.contains(QString::fromUtf8(caption))) << caption;
    EXPECT_TRUE(progressTexts.contains(QStringLiteral("btnCancel=STOP")));
    EXPECT_EQ(seen.text, QStringLiteral("Search string not found"));
}
