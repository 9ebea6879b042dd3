// The main window's side of the options dialog: filling it from the
// window's settings, showing it, and applying what it holds when it closes
// with OK. Nothing is written to conf.ini here (that happens at close); the
// file managers' entry is written or removed at once.
#include "app/gui/Form1.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>

#include "app/core/ShellIntegration.h"
#include "app/gui/ColorButton.h"
#include "app/gui/FrmOptions.h"
#include "app/gui/RadioGroup.h"
#include "app/gui/ShellListView.h"
#include "app/gui/SpeedButton.h"
#include "viewer/core/VuExtLists.h"
#include "viewer/gui/VuViewer.h"

namespace {

QString FromUtf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string Utf8(const QString& s)
{
    return s.toUtf8().toStdString();
}

// A thumbnail edge from its edit: a whole number, spaces around it allowed.
bool ThumbnailEdge(const QLineEdit* edit, int& value)
{
    bool ok = false;
    value = edit->text().trimmed().toInt(&ok, 10);
    return ok;
}

}  // namespace

void TForm1::N11Click()
{
    // The font page is filled as the dialog is created.
    TFrmOptions dlg(*viewer, this);

    const std::pair<QLineEdit*, const std::string*> lists[] = {
        {dlg.edtTXT, &ExtTextList}, {dlg.edt_img, &ExtImagesList}, {dlg.edtmedia, &ExtMediaList},
        {dlg.edtinternet, &ExtWebList}, {dlg.edtrtf, &ExtRtfList}};
    for (const auto& [edit, list] : lists) {
        edit->setText(FromUtf8(*list));
        edit->setCursorPosition(0);  // a long list shows its beginning
    }

    dlg.integr->setChecked(ShellIntegrationExists(ShellDataHome()));

    dlg.MViewer->SetItemIndex(mediamode);
    dlg.cbpause->setVisible(mediamode == 2);
    dlg.optuseold->setChecked(automenu);
    dlg.opnfileexpl->setChecked(mousefileexplorer);

    if (listview->Thumbnails()) {
        dlg.vmthumbs->setChecked(true);
        dlg.ShowThumbnailSize(true);
        dlg.PendingView = 4;
    } else {
        dlg.ShowThumbnailSize(false);
        switch (listview->ViewStyle()) {
        case TShellListView::vsSmallIcon: dlg.vmSmallIcons->setChecked(true); break;
        case TShellListView::vsList: dlg.vmlist->setChecked(true); break;
        case TShellListView::vsReport: dlg.vmrepport->setChecked(true); break;
        default: dlg.vmicons->setChecked(true); break;
        }
        dlg.PendingView = ViewMode;
    }
    dlg.vmh->setText(QString::number(listview->ThumbnailSize().height()));
    dlg.vmw->setText(QString::number(listview->ThumbnailSize().width()));

    dlg.lnkopen->setChecked(LNKOpen);
    if (options_.localizer)
        options_.localizer->TranslateComponent(&dlg);
    dlg.cbpause->setChecked(lmbpause);

    if (dlg.exec() != QDialog::Accepted)
        return;
    ApplyOptions(dlg);
}

void TForm1::ApplyOptions(const TFrmOptions& dlg)
{
    const auto report = [this](const QString& message) {
        if (options_.reportError)
            options_.reportError(message);
        else
            QMessageBox::warning(this, QStringLiteral("Error"), message);
    };

    // The text font and the colours of the text view.
    QFont font = viewer->TextFont();
    const QString family = dlg.SelectedFontName(font.family());
    if (family != font.family())
        font.setFamily(family);
    const int size = dlg.fntsize->value();
    const int shownSize = font.pointSize() > 0 ? font.pointSize() : qRound(font.pixelSize() * 72.0 / 96.0);
    if (size != shownSize)  // an untouched size keeps a font given in pixels as it is
        font.setPointSize(size);
    viewer->SetTextFontColor(dlg.csmain->Color());
    mousefileexplorer = dlg.opnfileexpl->isChecked();
    LNKOpen = dlg.lnkopen->isChecked();
    lmbpause = dlg.cbpause->isChecked();
    if (font.bold() != dlg.cbB->isChecked())
        font.setBold(dlg.cbB->isChecked());
    if (font.italic() != dlg.cbI->isChecked())
        font.setItalic(dlg.cbI->isChecked());
    if (font.underline() != dlg.cbU->isChecked())
        font.setUnderline(dlg.cbU->isChecked());
    viewer->SetTextFont(font);
    viewer->SetTextColor(dlg.cs1->Color());
    viewer->SetTextColorHex(dlg.cs2->Color());
    viewer->SetTextColorHex2(dlg.cs3->Color());
    viewer->SetTextColorHexBack(dlg.cs4->Color());
    viewer->SetTextColorGutter(dlg.cs5->Color());

    // The lists as typed; they are matched in lower case, so "TXT"
    // matches no file.
    ExtTextList = Utf8(dlg.edtTXT->text());
    ExtImagesList = Utf8(dlg.edt_img->text());
    ExtMediaList = Utf8(dlg.edtmedia->text());
    ExtWebList = Utf8(dlg.edtinternet->text());
    ExtRtfList = Utf8(dlg.edtrtf->text());

    // Without the automatic menu the toolbar moves once.
    if (dlg.optuseold->isChecked()) {
        automenu = true;
    } else {
        automenu = false;
        SlideToolbarOnce();
    }

    // The file managers' entry, at once. A failure is reported and the
    // remaining choices are still applied.
    std::string error;
    if (dlg.integr->isChecked()) {
        if (!WriteShellIntegration(ShellDataHome(), Utf8(QCoreApplication::applicationFilePath()), error))
            report(QStringLiteral("Cannot add Peekwell to the file managers' menus.\n%1").arg(FromUtf8(error)));
    } else if (!RemoveShellIntegration(ShellDataHome(), error)) {
        report(QStringLiteral("Cannot remove Peekwell from the file managers' menus.\n%1").arg(FromUtf8(error)));
    }

    // No player chosen (a value conf.ini had outside the list) keeps it.
    if (dlg.MViewer->ItemIndex() >= 0)
        mediamode = dlg.MViewer->ItemIndex();

    // The file list's look. The thumbnail size is read before anything
    // changes, so a size that is not a number leaves the look as it was.
    QSize thumb = listview->ThumbnailSize();
    if (dlg.PendingView == 4) {
        int w = 0;
        int h = 0;
        const QLineEdit* bad = !ThumbnailEdge(dlg.vmw, w) ? dlg.vmw : (!ThumbnailEdge(dlg.vmh, h) ? dlg.vmh : nullptr);
        if (bad) {
            report(QStringLiteral("The thumbnail size must be a whole number of pixels; \"%1\" is not one.\n"
                                  "The file list keeps its view.")
                       .arg(bad->text()));
            return;
        }
        thumb = QSize(w, h);
    }
    ViewMode = dlg.PendingView;
    if (ViewMode >= 0 && ViewMode <= 3) {
        listview->SetViewStyle(ViewMode);
        listview->SetThumbnails(false);
    } else if (ViewMode == 4) {
        listview->SetThumbnails(true);
        listview->SetThumbnailSize(thumb);
    }
}

void TForm1::SlideToolbarOnce()
{
    // The row's own slide: out of view when shown, back when hidden.
    btnshowhide->click();
}
