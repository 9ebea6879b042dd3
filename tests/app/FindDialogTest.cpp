// The find dialog and the progress window on their own: controls as
// designed, the keys, and what the boxes and STOP stand for.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/gui/FindDialog.h"
#include "app/gui/FormProgress.h"

namespace {

// Runs `action` once the dialog's modal loop is running.
void Soon(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

}  // namespace

TEST(FindDialog, ControlsAsDesigned)
{
    TFindtextt dialog;
    EXPECT_EQ(dialog.metaObject()->className(), std::string("TFindtextt"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Найти текст"));
    EXPECT_EQ(dialog.size(), QSize(432, 115));
    EXPECT_EQ(dialog.texttofind->objectName(), QStringLiteral("texttofind"));
    EXPECT_EQ(dialog.texttofind->geometry().topLeft(), QPoint(8, 8));
    EXPECT_EQ(dialog.texttofind->width(), 416);
    struct Box {
        QCheckBox* box;
        const char* name;
        const char* caption;
        QPoint place;
    };
    const Box boxes[] = {
        {dialog.fullword, "fullword", "Только слова целиком", {8, 35}},
        {dialog.reguse, "reguse", "С учётом регистра", {8, 61}},
        {dialog.reverce, "reverce", "Искать назад", {8, 87}},
        {dialog.encoem, "encoem", "OEM", {145, 35}},
        {dialog.encunicode, "encunicode", "Unicode", {145, 61}},
        {dialog.encunicodebe, "encunicodebe", "UnicodeBE", {145, 87}},
        {dialog.encutf8, "encutf8", "UTF-8", {230, 35}},
    };
    for (const Box& b : boxes) {
        EXPECT_EQ(b.box->objectName(), QString::fromLatin1(b.name));
        EXPECT_EQ(b.box->text(), QString::fromUtf8(b.caption)) << b.name;
        EXPECT_EQ(b.box->geometry().topLeft(), b.place) << b.name;
        EXPECT_FALSE(b.box->isChecked()) << b.name;
    }
    EXPECT_EQ(dialog.start->objectName(), QStringLiteral("start"));
    EXPECT_EQ(dialog.start->text(), QStringLiteral("Найти"));
    EXPECT_EQ(dialog.start->geometry(), QRect(323, 47, 101, 25));
    EXPECT_EQ(dialog.cancel->objectName(), QStringLiteral("cancel"));
    EXPECT_EQ(dialog.cancel->text(), QStringLiteral("Отмена"));
    EXPECT_EQ(dialog.cancel->geometry(), QRect(323, 78, 101, 25));
    EXPECT_EQ(dialog.Encoding(), vEncANSI);
    EXPECT_EQ(dialog.Options(), 0);

    dialog.encoem->setChecked(true);
    dialog.encunicode->setChecked(true);
    dialog.encunicodebe->setChecked(true);
    dialog.reverce->setChecked(true);
    dialog.fullword->setChecked(true);
    EXPECT_EQ(dialog.Encoding(), vEncUnicodeBE);
    EXPECT_EQ(dialog.Options(), ssoBackward | ssoWholeWords);
    dialog.encunicode->setChecked(false);
    dialog.encutf8->setChecked(true);
    EXPECT_EQ(dialog.Encoding(), vEncUTF8);
    // OEM and UTF-8 share a row without overlapping.
    EXPECT_LE(dialog.encoem->geometry().right(), dialog.encutf8->geometry().left());
}

TEST(FindDialog, EnterFindsEscapeAndTheCloseBoxCancel)
{
    struct Case {
        const char* how;
        std::function<void(TFindtextt&)> act;
        int result;
    };
    const Case cases[] = {
        {"Enter", [](TFindtextt& d) { QTest::keyClick(d.texttofind, Qt::Key_Return); }, QDialog::Accepted},
        {"keypad Enter", [](TFindtextt& d) { QTest::keyClick(d.texttofind, Qt::Key_Enter); }, QDialog::Accepted},
        {"Escape", [](TFindtextt& d) { QTest::keyClick(d.texttofind, Qt::Key_Escape); }, QDialog::Rejected},
        {"close box", [](TFindtextt& d) { d.close(); }, QDialog::Rejected},
        {"start", [](TFindtextt& d) { d.start->click(); }, QDialog::Accepted},
        {"cancel", [](TFindtextt& d) { d.cancel->click(); }, QDialog::Rejected},
    };
    for (const Case& c : cases) {
        TFindtextt dialog;
        bool focused = false;
        Soon([&] {
            focused = dialog.focusWidget() == dialog.texttofind;
            c.act(dialog);
        });
        EXPECT_EQ(dialog.exec(), c.result) << c.how;
        EXPECT_TRUE(focused) << c.how;
    }
}

TEST(FindDialog, TextIsLimitedToWhatTheSearchTakes)
{
    TFindtextt dialog;
    dialog.texttofind->setText(QString(TFindtextt::kMaxTextLength + 10, QLatin1Char('a')));
    EXPECT_EQ(dialog.texttofind->text().size(), TFindtextt::kMaxTextLength);
    EXPECT_LE(TFindtextt::kMaxTextLength * 2, TVuStreamSearch::kMaxTextBytes);
}

TEST(FormProgress, ControlsAsDesigned)
{
    TFormProgress progress;
    EXPECT_EQ(progress.metaObject()->className(), std::string("TFormProgress"));
    EXPECT_EQ(progress.size(), QSize(297, 79));
    EXPECT_EQ(progress.LabCaption->objectName(), QStringLiteral("LabCaption"));
    EXPECT_EQ(progress.LabCaption->text(), QStringLiteral("Поиск"));
    EXPECT_EQ(progress.LabCaption->geometry().topLeft(), QPoint(8, 8));
    EXPECT_EQ(progress.ProgressBar1->objectName(), QStringLiteral("ProgressBar1"));
    EXPECT_EQ(progress.ProgressBar1->geometry(), QRect(8, 27, 281, 17));
    EXPECT_EQ(progress.ProgressBar1->minimum(), 0);
    EXPECT_EQ(progress.ProgressBar1->maximum(), 100);
    EXPECT_EQ(progress.btnCancel->objectName(), QStringLiteral("btnCancel"));
    EXPECT_EQ(progress.btnCancel->text(), QStringLiteral("СТОП"));
    EXPECT_EQ(progress.btnCancel->geometry(), QRect(112, 50, 75, 25));
    // No title-bar buttons.
    EXPECT_FALSE(progress.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(progress.windowFlags() & Qt::WindowMinMaxButtonsHint);
}

TEST(FormProgress, UpdateShowsThePositionAndStopCancels)
{
    TFormProgress progress;
    progress.show();
    EXPECT_TRUE(progress.Update(1024, 2048));
    EXPECT_EQ(progress.ProgressBar1->value(), 50);
    EXPECT_EQ(progress.LabCaption->text(), QStringLiteral("50% (1024 \\ 2048)"));
    EXPECT_TRUE(progress.Update(0, 0));
    EXPECT_EQ(progress.LabCaption->text(), QStringLiteral("0% (0 \\ 0)"));

    // STOP is pressed while the window lets messages through.
    QTimer::singleShot(0, progress.btnCancel, &QPushButton::click);
    EXPECT_FALSE(progress.Update(10, 100));
    EXPECT_TRUE(progress.Cancelled);
    EXPECT_FALSE(progress.Update(20, 100));

    // Showing again clears it; Escape presses STOP and the window stays.
    progress.hide();
    progress.show();
    EXPECT_FALSE(progress.Cancelled);
    QTest::keyClick(&progress, Qt::Key_Escape);
    EXPECT_TRUE(progress.Cancelled);
    EXPECT_TRUE(progress.isVisible());
    progress.Cancelled = false;
    progress.close();
    EXPECT_TRUE(progress.Cancelled);
    EXPECT_TRUE(progress.isVisible());
}

TEST(FormProgress, UpdateAssertions)
{
    TFormProgress progress;
    auto message = [&](int64_t position, int64_t maximum) {
        try {
            progress.Update(position, maximum);
        } catch (const std::logic_error& e) {
            return std::string(e.what());
        }
        return std::string("no assertion");
    };
    EXPECT_EQ(message(-5, 10), "Progress position is negative");
    EXPECT_EQ(message(5, -10), "Progress maximal position is negative");
    EXPECT_EQ(message(11, 10), "Progress position is out of range");
}
