#include "binhex/gui/VuBinHex.h"

#include "binhex/core/VuBinHexScrollBars.h"
#include "binhex/gui/VuScrollCursors.h"
#include "text/gui/VuSystemColors.h"

#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

namespace {

QFont DefaultFont()
{
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// The OEM font shows OEM bytes through the OEM code page in a monospace face.
QFont DefaultOemFont()
{
    QFont font(QStringLiteral("Terminal"), 9);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

}  // namespace

TVuBinHex::TVuBinHex(QWidget* parent)
    : QAbstractScrollArea(parent), canvas_(QImage::Format_RGB32, logicalDpiY()), fontOem_(DefaultOemFont())
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The whole viewport is painted from the off-screen image every time.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setCursor(Qt::IBeamCursor);
    setFocusPolicy(Qt::StrongFocus);
    setFont(DefaultFont());
    UpdateFonts();
    painter_.SetCanvas(&canvas_);

    dragTimer_.setInterval(kDragScrollMs);
    connect(&dragTimer_, &QTimer::timeout, this, &TVuBinHex::DragScrollTick);
    middleTimer_.setInterval(kMiddleScrollMs);
    connect(&middleTimer_, &QTimer::timeout, this, &TVuBinHex::MiddleScrollTick);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TVuBinHex::VertScrollAction);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, &TVuBinHex::HorzScrollAction);

    notification_.SetOptions({foNotifyFilename, foNotifySize, foNotifyLastWrite});
    connect(&notification_, &TVuFileNotification::OnChanged, this, &TVuBinHex::FileChanged);
    reappearTimer_.setSingleShot(true);
    reappearTimer_.setInterval(kReappearMs);
    connect(&reappearTimer_, &QTimer::timeout, this, [this] { HandleFileChange(true); });

    CreateContextMenu();
    resize(200, 150);
}

TVuBinHex::~TVuBinHex() = default;

// --- Source -------------------------------------------------------------------

bool TVuBinHex::OpenFile(const QString& fileName, bool redraw)
{
    const std::string name = fileName.toStdString();
    if (name == model_.FileName() && (model_.SourceKind() == vsrcFile || name.empty()))
        return true;
    StopWatching();
    const bool ok = model_.OpenFile(name);
    SourceChanged();
    if (ok)
        WatchCurrentFile(true);
    if (redraw)
        Redraw();
    else
        RefreshPopupStates();
    return ok;
}

bool TVuBinHex::OpenStream(TVuStream* stream)
{
    StopWatching();
    const bool ok = model_.OpenStream(stream);
    SourceChanged();
    Redraw();
    return ok;
}

void TVuBinHex::CloseSource()
{
    StopWatching();
    model_.CloseSource();
    SourceChanged();
    Redraw();
}

void TVuBinHex::SourceChanged()
{
    StopMiddleScroll();
    ResetMouseState();
}

// --- Mode and encoding ------------------------------------------------------------

void TVuBinHex::SetMode(TVuBinHexMode mode)
{
    const bool wasFile = model_.SourceKind() == vsrcFile;
    StopMiddleScroll();
    model_.SetMode(mode);
    SourceChanged();
    if (wasFile) {
        // A view that followed the end of a watched file keeps following it.
        if (autoReload_ && autoReloadFollowTail_ && model_.Memo().endVisible && model_.HasSource())
            model_.GoEnd();
        WatchCurrentFile(false);
    }
    if (!model_.HasSource()) {
        RefreshPopupStates();
        return;
    }
    Redraw();
    if (wasFile) {
        model_.SetHorzScrollPos(model_.Memo().horzScrollPos);
        Redraw();
    }
}

void TVuBinHex::SetTextEncoding(TVuEncoding enc)
{
    if (model_.SetTextEncoding(enc))
        Redraw();
}

void TVuBinHex::SetByteOrder(uint8_t order)
{
    model_.SetByteOrder(order);
    if (IsUnicodeMode(model_.Mode()))
        Redraw();
}

// --- Properties ----------------------------------------------------------------------

void TVuBinHex::SetTextWidth(int value)
{
    if (model_.SetTextWidth(value))
        Redraw();
}

void TVuBinHex::SetTextWidthHex(int value)
{
    if (model_.SetTextWidthHex(value))
        Redraw();
}

void TVuBinHex::SetTextWidthUHex(int value)
{
    if (model_.SetTextWidthUHex(value))
        Redraw();
}

void TVuBinHex::SetTextWrap(bool value)
{
    if (model_.SetTextWrap(value))
        Redraw();
}

void TVuBinHex::SetTextNonPrintable(bool value)
{
    if (model_.SetTextNonPrintable(value))
        Redraw();
}

void TVuBinHex::SetTextOemSpecial(bool value)
{
    if (model_.SetTextOemSpecial(value))
        Redraw();
}

void TVuBinHex::SetTextTabSize(int value)
{
    if (model_.SetTextTabSize(value))
        Redraw();
}

void TVuBinHex::SetColorAndRedraw(TVuColor& slot, TVuColor color)
{
    if (slot == color)
        return;
    slot = color;
    Redraw();
}

void TVuBinHex::SetColor(TVuColor color) { SetColorAndRedraw(color_, color); }
void TVuBinHex::SetFontColor(TVuColor color) { SetColorAndRedraw(fontColor_, color); }
void TVuBinHex::SetTextColorHex(TVuColor color) { SetColorAndRedraw(colorHex_, color); }
void TVuBinHex::SetTextColorHex2(TVuColor color) { SetColorAndRedraw(colorHex2_, color); }
void TVuBinHex::SetTextColorHexBack(TVuColor color) { SetColorAndRedraw(colorHexBack_, color); }
void TVuBinHex::SetTextColorLines(TVuColor color) { SetColorAndRedraw(colorLines_, color); }
void TVuBinHex::SetTextColorError(TVuColor color) { SetColorAndRedraw(colorError_, color); }
void TVuBinHex::SetTextColorGutter(TVuColor color) { SetColorAndRedraw(colorGutter_, color); }

void TVuBinHex::SetFontOEM(const QFont& font)
{
    fontOem_ = font;
    UpdateFonts();
    Redraw();
}

void TVuBinHex::UpdateFonts() { canvas_.SetFonts(font(), fontOem_); }

bool TVuBinHex::ChangeFontSize(bool grow)
{
    const bool oem = model_.UsesOemFont();
    QFont stepped = oem ? fontOem_ : font();
    // Heights are measured at the resolution the view draws at.
    QImage device(1, 1, QImage::Format_RGB32);
    const int dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    device.setDotsPerMeterX(qRound(dpi / 0.0254));
    device.setDotsPerMeterY(qRound(dpi / 0.0254));
    int size = stepped.pointSize();
    if (size <= 0)
        size = qMax(1, qRound(stepped.pixelSize() * 72.0 / dpi));
    const int height = QFontMetrics(stepped, &device).height();
    for (;;) {
        if ((grow && size > 71) || (!grow && size < 2))
            return false;
        size += grow ? 1 : -1;
        stepped.setPointSize(size);
        if (QFontMetrics(stepped, &device).height() != height)
            break;
    }
    if (oem)
        SetFontOEM(stepped);
    else
        setFont(stepped);  // the font change redraws
    emit OnOptionsChange();
    return true;
}

TVuViewColors TVuBinHex::Colors() const
{
    const QPalette& pal = palette();
    TVuViewColors c;
    c.background = ResolveColor(color_, pal);
    c.text = ResolveColor(fontColor_, pal);
    c.hex = ResolveColor(colorHex_, pal);
    c.hex2 = ResolveColor(colorHex2_, pal);
    c.hexBack = ResolveColor(colorHexBack_, pal);
    c.lines = ResolveColor(colorLines_, pal);
    c.error = ResolveColor(colorError_, pal);
    c.gutter = ResolveColor(colorGutter_, pal);
    c.grayText = ResolveColor(clGrayText, pal);
    return c;
}

// --- Drawing ---------------------------------------------------------------------------

void TVuBinHex::ScrollTo(int64_t offset, bool redraw)
{
    model_.ScrollTo(offset);
    if (redraw)
        Redraw();
}

TVuBinHex::TDrawLock::TDrawLock(TVuBinHex& view) : view_(view) { ++view_.drawLock_; }

TVuBinHex::TDrawLock::~TDrawLock()
{
    if (--view_.drawLock_ == 0 && view_.changePending_) {
        // Handled from the event loop: the drawing that held the lock may
        // still be on the stack of whoever released it.
        view_.changePending_ = false;
        QMetaObject::invokeMethod(&view_, &TVuBinHex::FileChanged, Qt::QueuedConnection);
    }
}

void TVuBinHex::Redraw()
{
    if (!drawingEnabled_)
        return;
    TDrawLock lock(*this);
    // Showing or hiding a scroll bar resizes the viewport, and clamping the
    // horizontal position shifts the lines: draw again then, a few times at
    // most.
    for (int pass = 0; pass < 3; ++pass) {
        pendingRedraw_ = false;
        const QSize size = viewport()->size();
        if (model_.IsEmptySource()) {
            positions_.Clear(model_.CharSize());  // nothing drawn: no line under the mouse
            HideScrollBars();
            model_.SetBitmapSize(size.width(), size.height());
            canvas_.Clear(size.width(), size.height(), Colors().background);
        } else {
            const int horz = model_.HorzScrollPos();
            TVuDrawRequest request;
            request.width = size.width();
            request.height = size.height();
            request.enabled = isEnabled();
            request.positions = &positions_;
            const TVuDrawResult result = painter_.DrawTo(canvas_, request, Colors());
            UpdateScrollBars(result);
            if (model_.HorzScrollPos() != horz)
                pendingRedraw_ = true;
        }
        if (!pendingRedraw_)
            break;
    }
    canvas_.Finish();
    viewport()->update();
    RefreshPopupStates();
}

void TVuBinHex::HideScrollBars()
{
    vertScrollMax_ = 0;
    verticalScrollBar()->setRange(0, 0);
    horizontalScrollBar()->setRange(0, 0);
}

void TVuBinHex::UpdateScrollBars(const TVuDrawResult& result)
{
    const TVuBinHexModel& m = model_;
    const TVuScrollInfo vert = VertScrollInfo(m.ReadOK(), m.FileSize(), m.LineUnit(), m.ViewPos(), result.visibleBytes);
    // Signals stay on: the scroll area shows and hides a bar on its range
    // signal. Value changes made here are the view's own, not the user's.
    settingScrollBars_ = true;
    vertScrollMax_ = vert.max;
    QScrollBar* v = verticalScrollBar();
    if (vert.Visible()) {
        v->setRange(0, vert.max - vert.page + 1);
        v->setPageStep(vert.page);
        v->setSingleStep(1);
        v->setValue(vert.pos);
    } else {
        v->setRange(0, 0);
        vertScrollMax_ = 0;
    }

    const bool hidden = !m.ReadOK() || m.IsEmptySource() || (IsTextMode(m.Mode()) && m.TextWrap()) ||
                        (m.Mode() == vbmodeBinary && m.TextWidthFit() && m.FontMetrics().fixedPitch);
    int horz = m.HorzScrollPos();
    int horzMax = m.HorzMax();
    const int widest = hidden ? 0 : positions_.WidestLine(canvas_, TextOutputOptionsOf(m, false));
    const TVuScrollInfo info = HorzScrollInfo(hidden, widest, viewport()->width(), horz, horzMax);
    model_.SetHorzScrollPos(horz);
    model_.SetHorzMax(horzMax);
    QScrollBar* h = horizontalScrollBar();
    if (info.Visible()) {
        h->setRange(0, info.max - info.page + 1);
        h->setPageStep(info.page);
        h->setSingleStep(200);
        h->setValue(info.pos);
    } else {
        h->setRange(0, 0);
    }
    settingScrollBars_ = false;
}

void TVuBinHex::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    p.drawImage(0, 0, canvas_.Image());
    if (middleScroll_) {
        const QPixmap& mark = MiddleScrollMark();
        p.drawPixmap(middleOrigin_ - QPoint(mark.width() / 2, mark.height() / 2), mark);
    }
}

void TVuBinHex::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (drawLock_ > 0)
        pendingRedraw_ = true;
    else
        Redraw();
}

void TVuBinHex::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        UpdateFonts();
        Redraw();
        break;
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
        Redraw();
        break;
    default:
        break;
    }
}

// The view's position lives in the model; the bars only reflect it.
void TVuBinHex::scrollContentsBy(int, int) {}
