#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "text/core/VuViewerMsg.h"
#include "text/gui/VuMessageBox.h"

namespace {

struct Seen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

// Reads the box that is about to open, then presses `press` (or closes
// it with Escape when null).
void InspectNextBox(Seen& seen, QMessageBox::StandardButton press)
{
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = static_cast<int>(box->buttons().size());
        if (press == QMessageBox::NoButton)
            box->reject();
        else
            box->button(press)->click();
    });
}

}  // namespace

TEST(MessageBox, ViewerMessageShowsAnErrorBoxCaptionedViewer)
{
    InstallViewerMessageBox();
    Seen seen;
    InspectNextBox(seen, QMessageBox::Ok);
    ViewerMessage(u"File not found: a.txt");
    SetViewerMessageHandler(nullptr);
    EXPECT_EQ(seen.title, QStringLiteral("Viewer"));
    EXPECT_EQ(seen.text, QStringLiteral("File not found: a.txt"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, 1);
}

TEST(MessageBox, ButtonsAndAnswers)
{
    Seen seen;
    InspectNextBox(seen, QMessageBox::No);
    EXPECT_EQ(ShowMessageBox("Save?", "Error", mbYesNoCancel | mbIconQuestion), mrNo);
    EXPECT_EQ(seen.title, QStringLiteral("Error"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, 3);

    InspectNextBox(seen, QMessageBox::NoButton);
    EXPECT_EQ(ShowMessageBox("Go on?", "Peekwell", mbOkCancel), mrCancel);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
}
