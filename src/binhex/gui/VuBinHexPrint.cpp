// Printing the view: pages are drawn like screens, wrapped and in print
// colours, into a bitmap of the page's size in screen pixels that is
// stretched onto the printable page.
#include "binhex/gui/VuBinHex.h"

#include <QPainter>
#include <QPrinter>

int TVuBinHex::PrintText(QPrinter& printer, bool selectionOnly, int copies, const QString& title)
{
    if (model_.IsEmptySource())
        return 0;
    if (selectionOnly && model_.SelLength() <= 0)
        return 0;
    // Printing draws: a file change waits until the pages are done.
    TDrawLock lock(*this);
    printer.setCopyCount(copies < 1 ? 1 : copies);
    if (!title.isEmpty())
        printer.setDocName(title);
    else if (model_.SourceKind() == vsrcFile)
        printer.setDocName(QStringLiteral("Viewer: ") + FileName());
    else
        printer.setDocName(QStringLiteral("Viewer"));

    // The page in screen pixels, so a printed line looks as it does on screen.
    const QRect pageRect = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = double(printer.resolution()) / double(logicalDpiY() > 0 ? logicalDpiY() : 96);
    const int pageWidth = int(pageRect.width() / scale);
    const int pageHeight = int(pageRect.height() / scale);
    if (pageWidth <= 0 || pageHeight <= 0)
        return 0;
    const int64_t first = selectionOnly ? model_.SelStart() : 0;
    const int64_t last = selectionOnly ? model_.SelStart() + model_.SelLength() - 1 : model_.LastPos();

    // What printing changes, put back at the end whatever happens.
    const int64_t savedView = model_.ViewPos();
    const int64_t savedSelStart = model_.SelStart();
    const int64_t savedSelLength = model_.SelLength();
    const bool savedWrap = model_.TextWrap();
    const bool savedMarks = model_.TextNonPrintable();
    const bool savedGutter = model_.TextGutter();
    const int savedHorz = model_.HorzScrollPos();
    struct Restore {
        TVuBinHex& view;
        int64_t viewPos, selStart, selLength;
        bool wrap, marks, gutter;
        int horz;
        ~Restore()
        {
            TVuBinHexModel& m = view.model_;
            m.SetTextWrap(wrap);
            m.SetTextNonPrintable(marks);
            m.SetTextGutter(gutter);
            m.SetSelection(selStart, selLength);
            m.RestoreViewPos(viewPos);
            m.SetHorzScrollPos(horz);
            view.drawingEnabled_ = true;
            view.setEnabled(true);
            view.Redraw();
        }
    } restore{*this, savedView, savedSelStart, savedSelLength, savedWrap, savedMarks, savedGutter, savedHorz};

    setEnabled(false);  // redraws grey once
    drawingEnabled_ = false;
    model_.ScrollTo(first);
    model_.SetSelection(0, 0);
    model_.SetTextWrap(true);
    model_.SetTextNonPrintable(false);
    model_.SetTextGutter(false);
    model_.SetHorzScrollPos(0);

    TVuQtCanvas page(QImage::Format_RGB888, logicalDpiY());
    page.SetFonts(font(), fontOem_);
    QPainter out;
    if (!out.begin(&printer))
        return 0;
    out.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect target(0, 0, pageRect.width(), pageRect.height());
    int pages = 0;
    TVuDrawRequest request;
    request.width = pageWidth;
    request.height = pageHeight;
    request.endOffset = last;
    request.print = true;
    for (;;) {
        const TVuDrawResult result = painter_.DrawTo(page, request, Colors());
        out.drawImage(target, page.Image());
        ++pages;
        if (result.endVisible || !model_.ReadOK())
            break;
        const int64_t before = model_.ViewPos();
        const int lines = model_.VisibleLines();
        if (IsTextMode(model_.Mode())) {
            model_.StepLines(lines, true, before);
        } else {
            const int64_t next = before + int64_t(lines) * model_.LineUnit();
            if (next > model_.LastPos())
                break;
            model_.ScrollTo(next);
        }
        // A page that moves nothing would repeat forever.
        if (model_.ViewPos() > last || model_.ViewPos() <= before)
            break;
        printer.newPage();
    }
    out.end();
    painter_.SetCanvas(&canvas_);
    return pages;
}
