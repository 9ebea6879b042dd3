#include "text/gui/VuMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>
#include <vector>

#include "text/core/VuViewerMsg.h"

namespace {

QString FromU16(const std::u16string& s)
{
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

QWidget* DefaultOwner()
{
    if (QWidget* w = QApplication::activeWindow())
        return w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isWindow())
            return w;
    return nullptr;
}

}  // namespace

TVuMessageBoxResult ShowMessageBox(const QString& text, const QString& caption, uint32_t flags,
                                   QWidget* owner)
{
    QMessageBox box(owner ? owner : DefaultOwner());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (flags & 0xF0) {
    case mbIconError: box.setIcon(QMessageBox::Critical); break;
    case mbIconQuestion: box.setIcon(QMessageBox::Question); break;
    case mbIconWarning: box.setIcon(QMessageBox::Warning); break;
    case mbIconInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct Button { QMessageBox::StandardButton qt; TVuMessageBoxResult result; };
    std::vector<Button> buttons;
    switch (flags & 0x0F) {
    case mbOkCancel: buttons = {{QMessageBox::Ok, mrOk}, {QMessageBox::Cancel, mrCancel}}; break;
    case mbAbortRetryIgnore:
        buttons = {{QMessageBox::Abort, mrAbort}, {QMessageBox::Retry, mrRetry}, {QMessageBox::Ignore, mrIgnore}};
        break;
    case mbYesNoCancel:
        buttons = {{QMessageBox::Yes, mrYes}, {QMessageBox::No, mrNo}, {QMessageBox::Cancel, mrCancel}};
        break;
    case mbYesNo: buttons = {{QMessageBox::Yes, mrYes}, {QMessageBox::No, mrNo}}; break;
    case mbRetryCancel: buttons = {{QMessageBox::Retry, mrRetry}, {QMessageBox::Cancel, mrCancel}}; break;
    default: buttons = {{QMessageBox::Ok, mrOk}}; break;
    }
    QMessageBox::StandardButtons set;
    for (const Button& b : buttons)
        set |= b.qt;
    box.setStandardButtons(set);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.raise();
    box.activateWindow();
    const int pressed = box.exec();
    for (const Button& b : buttons)
        if (pressed == b.qt)
            return b.result;
    // Closed without a button: the box's escape button decides.
    if (set & QMessageBox::Cancel)
        return mrCancel;
    if (set & QMessageBox::No)
        return mrNo;
    return buttons.front().result;
}

void ViewerMessage(const QString& text, QWidget* owner)
{
    ShowMessageBox(text, FromU16(ViewerMessages.Caption), mbIconError, owner);
}

void InstallViewerMessageBox()
{
    SetViewerMessageHandler([](const std::u16string& text, const std::u16string& caption) {
        ShowMessageBox(FromU16(text), FromU16(caption), mbIconError, nullptr);
    });
}
