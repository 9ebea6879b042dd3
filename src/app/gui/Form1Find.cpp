// The find command: the find dialog, the progress window, and showing the
// match in the text view.
#include <QApplication>
#include <QCheckBox>
#include <QKeySequence>
#include <QLineEdit>

#include "app/gui/FindDialog.h"
#include "app/gui/Form1.h"
#include "app/gui/FormProgress.h"
#include "app/gui/SpeedButton.h"
#include "binhex/gui/VuBinHex.h"
#include "i18n/core/MessageStrings.h"
#include "text/core/VuxCodepages.h"
#include "text/gui/VuMessageBox.h"
#include "viewer/gui/VuViewer.h"

namespace {

QString FromU16(const std::u16string& s)
{
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

// While a find runs: sets the busy flag, and when the find ends, however
// it ends, clears it and gives the keys back to the main window (for F3)
// if closing the find's windows left no window active, as happens
// without a window manager.
class TFindRun {
public:
    TFindRun(bool& busy, QWidget* window) : busy_(busy), window_(window) { busy_ = true; }
    ~TFindRun()
    {
        busy_ = false;
        if (!QApplication::activeWindow() && window_->isVisible())
            window_->activateWindow();
    }
    TFindRun(const TFindRun&) = delete;
    TFindRun& operator=(const TFindRun&) = delete;

private:
    bool& busy_;
    QWidget* window_;
};

}  // namespace

void TForm1::CreateFindCommands()
{
    Search = std::make_unique<TVuStreamSearch>();
    Search->OnProgress = [this](int64_t position, int64_t maximum, bool& goOn) {
        SearchProgress(position, maximum, goOn);
    };
    connect(ToolButton(QStringLiteral("btnfind")), &QToolButton::clicked, this, [this] { DoFind(true); });
    connect(ToolButton(QStringLiteral("btnfindnext")), &QToolButton::clicked, this, [this] { DoFind(false); });
    // Ctrl+F and F3 are keys of the window's hook (AppMessageHook.cpp).
}

void TForm1::SearchProgress(int64_t ACurrentPos, int64_t AMaximalPos, bool& AContinueSearching)
{
    if (findProgress_)
        AContinueSearching = findProgress_->Update(ACurrentPos, AMaximalPos);
}

bool TForm1::CanFindNext() const
{
    // Only a search that found something, still has its file, and searched
    // the file on view: its match offsets mean nothing in another file.
    return Search->MatchLength() > 0 && Search->Stream() &&
           QString::fromStdString(Search->FileName()) == viewer->FileName();
}

QString TForm1::NotFoundText() const
{
    // The language file puts the text in the About title's hint; without
    // one the message string stands in (which a language file's message
    // strings may translate too).
    if (auto* title = findChild<QWidget*>(QStringLiteral("sLabelFX1")); title && !title->toolTip().isEmpty())
        return title->toolTip();
    return FromU16(LoadResString(rsTextNotFound));
}

void TForm1::DoFind(bool showDialog)
{
    // The progress window lets messages through while a search runs; a
    // second find then would pull the source from under the first.
    if (finding_)
        return;
    if (showDialog ? viewer->FileName().isEmpty() : !CanFindNext())
        return;
    TFindRun run(finding_, this);

    std::unique_ptr<TFindtextt> dialog;
    if (showDialog) {
        dialog = std::make_unique<TFindtextt>(this);
        if (options_.localizer)
            options_.localizer->TranslateComponent(dialog.get());
        dialog->texttofind->setText(SelectionForFind());
        dialog->encutf8->setChecked(viewer->TextEncoding() == vEncUTF8);
        if (dialog->exec() != QDialog::Accepted)
            return;
        viewer->ResetSelection();
    }

    auto progress = std::make_unique<TFormProgress>(this);
    if (options_.localizer)
        options_.localizer->TranslateComponent(progress.get());
    // Other windows take no input meanwhile: the search runs inside this
    // call, so nothing else may start a command.
    progress->setWindowModality(Qt::ApplicationModal);
    progress->show();
    findProgress_ = progress.get();

    bool found = false;
    bool opened = true;
    QString error;
    try {
        if (!showDialog) {
            found = Search->FindNextMatch();
        } else {
            try {
                Search->SetSourceFile(viewer->FileName().toStdString());
            } catch (const std::exception&) {
                opened = false;
            }
            if (opened)
                found = Search->FindFirstMatch(dialog->texttofind->text().toStdU16String(), dialog->Encoding(),
                                               dialog->Options(), 0);
        }
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());  // an error without a message ends as "not found"
    }

    findProgress_ = nullptr;
    progress->hide();
    progress.reset();

    const QString caption = QString::fromUtf8(kCaption);
    if (!opened)
        ShowMessageBox(FromU16(LoadResString(rsCantOpenFile)), FromU16(LoadResString(rsErrorCaption)), mbIconError,
                       this);
    else if (!error.isEmpty())
        ShowMessageBox(error, caption, mbIconError, this);
    else if (found)
        viewer->TextView()->SetSelection(Search->MatchStart(), Search->MatchLength(), true, true);
    else
        ShowMessageBox(NotFoundText(), caption, mbIconError, this);
}

QString TForm1::SelectionForFind() const
{
    // The Unicode view's selection goes in as it stands: narrowed to ANSI
    // it would lose every character the code page lacks and then no
    // longer match the text it was taken from.
    if (viewer->Mode() == vmodeUnicode)
        return viewer->TextSelTextW();
    // So is UTF-8 text's.
    if (viewer->Mode() == vmodeText && viewer->TextEncoding() == vEncUTF8)
        return viewer->TextView()->SelTextUnicode();
    return FromU16(EncodingToUnicode(viewer->TextSelText(), vEncANSI));
}
