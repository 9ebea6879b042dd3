// TVuViewer: printing by mode, with the print dialog offering the
// selection, and the printer set-up dialog.
#include "viewer/gui/VuViewer.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "binhex/gui/VuBinHex.h"
#include "text/core/VuViewerMsg.h"

namespace {

bool RunQtPrintDialog(QPrinter& printer, int options, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions(options));
    dialog.setPrintRange(QAbstractPrintDialog::PrintRange(printer.printRange()));
    return dialog.exec() == QDialog::Accepted;
}

bool RunQtPageSetupDialog(QPrinter& printer, QWidget* parent)
{
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void RunQtPreviewDialog(QPrinter& printer, const std::function<void(QPrinter&)>& paint, QWidget* parent)
{
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* pages) { paint(*pages); });
    dialog.exec();
}

}  // namespace

QPrinter& TVuViewer::Printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

bool TVuViewer::RunPrintDialog(bool hasSelection)
{
    QPrinter& printer = Printer();
    printer.setCopyCount(1);
    printer.setPrintRange(hasSelection ? QPrinter::Selection : QPrinter::AllPages);
    int options = QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize;
    if (hasSelection)
        options |= QAbstractPrintDialog::PrintSelection;
    const auto& run = printDialogs_.print ? printDialogs_.print : RunQtPrintDialog;
    return run(printer, options, this);
}

void TVuViewer::RunPageSetup()
{
    const auto& run = printDialogs_.pageSetup ? printDialogs_.pageSetup : RunQtPageSetupDialog;
    run(Printer(), this);
}

void TVuViewer::PrintText()
{
    if (!RunPrintDialog(textView_->Model().SelLength() > 0))
        return;
    QPrinter& printer = Printer();
    textView_->PrintText(printer, printer.printRange() == QPrinter::Selection, printer.copyCount(), QString());
}

void TVuViewer::PrintRichText()
{
    if (!rich_)
        return;
    if (!RunPrintDialog(rich_->SelLength() > 0))
        return;
    QPrinter& printer = Printer();
    const QString title = HasFile() ? QStringLiteral("Viewer: ") + fileName_ : QStringLiteral("Viewer");
    const int64_t start = rich_->SelStart();
    const int64_t length = rich_->SelLength();
    rich_->PrintRich(printer, printer.printRange() == QPrinter::Selection, printer.copyCount(), title);
    // Printing may reflow the document; it is read again with the same
    // selection so the view is what it was.
    if (HasFile() && rich_->LoadRichFile(fileName_))
        rich_->SetSelection(start, length);
}

void TVuViewer::PrintFile()
{
    switch (mode_) {
    case vmodeText:
    case vmodeBinary:
    case vmodeHex:
    case vmodeUnicode:
        PrintText();
        break;
    case vmodeRTF:
        PrintRichText();
        break;
    case vmodeMedia:
        // Pictures and media have no printing of their own: the dialog is
        // shown and its answer changes nothing.
        RunPrintDialog(false);
        break;
    case vmodeWeb:
        if (web_)
            web_->Print();
        break;
    case vmodeWLX:
        if (pluginHost_)
            pluginHost_->PrintActive();
        break;
    }
}

void TVuViewer::PrintPreview()
{
    const auto& run = printDialogs_.preview ? printDialogs_.preview : RunQtPreviewDialog;
    switch (mode_) {
    case vmodeText:
    case vmodeBinary:
    case vmodeHex:
    case vmodeUnicode:
        if (HasFile())
            run(Printer(), [this](QPrinter& pages) { textView_->PrintText(pages, false, 1, QString()); }, this);
        break;
    case vmodeRTF:
        if (rich_ && HasFile()) {
            const QString title = QStringLiteral("Viewer: ") + fileName_;
            run(Printer(), [this, &title](QPrinter& pages) { rich_->PrintRich(pages, false, 1, title); }, this);
            // As after printing: the document is read again in case the
            // pages reflowed it.
            const int64_t start = rich_->SelStart();
            const int64_t length = rich_->SelLength();
            if (rich_->LoadRichFile(fileName_))
                rich_->SetSelection(start, length);
        }
        break;
    case vmodeWeb:
        if (web_ && !web_->PrintPreview())
            ViewerMessage(u"Cannot show Print Preview for WebBrowser control.");
        break;
    case vmodeMedia:
    case vmodeWLX:
        break;
    }
}

void TVuViewer::PrinterSetup()
{
    switch (mode_) {
    case vmodeUnicode:
        break;
    case vmodeWeb:
        if (web_ && !web_->PageSetup())
            ViewerMessage(u"Cannot show Print Setup for WebBrowser control.");
        break;
    default:
        RunPageSetup();
        break;
    }
}
