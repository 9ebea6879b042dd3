// Source, buffer, character fetch and properties of the view's state.
// Line finding and scrolling live in VuBinHexLines.cpp.
#include "binhex/core/VuBinHexModel.h"

#include "text/core/VuViewerMsg.h"
#include "text/core/VuxSProc.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

namespace {

int ClampInt(int value, int lo, int hi) { return value < lo ? lo : (value > hi ? hi : value); }

// Range rule of the two hex widths: 2..300, down to a multiple of 4, >= 2.
int HexWidthRule(int value)
{
    value = ClampInt(value, 2, 300);
    value -= value % 4;
    return value < 2 ? 2 : value;
}

}  // namespace

int OffsetDigitsFor(int64_t size)
{
    int digits = 0;
    for (uint64_t v = size > 0 ? uint64_t(size) : 0; v != 0; v >>= 4)
        ++digits;
    if (digits < 8)
        digits = 8;
    if (digits % 2 != 0)
        ++digits;
    return digits;
}

TVuBinHexModel::TVuBinHexModel() { RefreshTable(); }

TVuBinHexModel::~TVuBinHexModel() = default;

// --- Source -----------------------------------------------------------------

bool TVuBinHexModel::OpenFile(const std::string& fileName)
{
    if (fileName == fileName_ && (kind_ == vsrcFile || fileName.empty()))
        return true;
    fileName_ = fileName;
    return LoadFile(true);
}

bool TVuBinHexModel::LoadFile(bool newFile)
{
    memo_ = TVuViewMemo{viewPos_, horzScrollPos_, endVisible_};
    CloseSource();
    if (fileName_.empty())
        return true;
    if (!OpenFileSource())
        return false;
    if (!newFile)
        ScrollTo(memo_.viewPos);
    return true;
}

bool TVuBinHexModel::ReloadFile(bool followTail)
{
    memo_ = TVuViewMemo{viewPos_, horzScrollPos_, endVisible_};
    const TVuViewMemo was = memo_;
    CloseSource();
    if (fileName_.empty())
        return true;
    if (!OpenFileSource())
        return false;
    // ScrollTo would show the line before a line start: a view reloaded at
    // every append of a log would creep upwards. The old ViewPos is shown
    // as it was instead; a file cut below it shows its end.
    if ((followTail && was.endVisible) || was.viewPos > LastPos())
        GoEnd();
    else if (was.viewPos > 0)
        RestoreViewPos(IsFixedMode(mode_) ? was.viewPos / LineUnit() * LineUnit() : was.viewPos);
    return true;
}

bool TVuBinHexModel::OpenFileSource()
{
    file_ = TVuFileStream::Open(fileName_);
    if (!file_) {
        ViewerMessage(SubstPercentS(ViewerMessages.CannotOpenFile, {Utf8ToUtf16(fileName_)}));
        return false;
    }
    const int64_t size = file_->Size();
    if (size < 0) {
        file_.reset();
        fileSize_ = 0;
        return false;
    }
    kind_ = vsrcFile;
    source_ = file_.get();
    fileSize_ = size;
    RefreshLastPos();
    AllocateBuffer();
    ReadBuffer();
    offsetDigits_ = OffsetDigitsFor(fileSize_);
    if (IsUnicodeMode(mode_))
        DetectByteOrder();
    return true;
}

bool TVuBinHexModel::OpenStream(TVuStream* stream)
{
    CloseSource();
    if (!stream)
        return false;
    const int64_t size = stream->Size();
    kind_ = vsrcStream;
    source_ = stream;
    fileSize_ = size < 0 ? 0 : size;
    RefreshLastPos();
    AllocateBuffer();
    ReadBuffer();
    offsetDigits_ = OffsetDigitsFor(fileSize_);
    if (IsUnicodeMode(mode_))
        DetectByteOrder();
    return true;
}

void TVuBinHexModel::CloseSource()
{
    search_.SetSourceStream(nullptr);
    file_.reset();
    source_ = nullptr;
    kind_ = vsrcNone;
    fileSize_ = 0;
    lastPos_ = 0;
    readOK_ = true;
    buffer_.clear();
    buffer_.shrink_to_fit();
    guard_ = 0;
    bufferPos_ = 0;
    viewPos_ = 0;
    horzScrollPos_ = 0;
    horzMax_ = 0;
    endVisible_ = false;
    selStart_ = 0;
    selLength_ = 0;
    byteOrder_ = 0;
    offsetDigits_ = 8;
}

void TVuBinHexModel::AllocateBuffer()
{
    guard_ = IsMultiByteText() ? kUtf8MaxBytes - 1 : 0;
    buffer_.assign(size_t(BufferSize() + 2 * guard_), 0);
    bufferPos_ = 0;
}

void TVuBinHexModel::Rebuffer()
{
    if (!HasSource())
        return;
    const int64_t view = viewPos_;
    AllocateBuffer();
    bufferPos_ = std::max<int64_t>(view - BlockSize(), 0);
    ReadBuffer();
    viewPos_ = CharStart(std::min(view, LastPos()));
    // The selection is made of whole characters of the new encoding.
    const int64_t start = selStart_, length = selLength_;
    selStart_ = selLength_ = 0;
    if (length > 0)
        SetSelection(start, length);
}

// --- Mode and encoding --------------------------------------------------------

void TVuBinHexModel::SetMode(TVuBinHexMode mode)
{
    mode_ = mode;
    RefreshTable();
    RefreshLastPos();
    if (kind_ == vsrcFile) {
        LoadFile(false);
    } else if (kind_ == vsrcStream) {
        TVuStream* stream = source_;
        OpenStream(stream);
    }
}

bool TVuBinHexModel::SetTextEncoding(TVuEncoding enc)
{
    if (enc == encoding_)
        return false;
    const bool wasMultiByte = IsMultiByteText();
    encoding_ = enc;
    RefreshTable();
    if (IsMultiByteText() != wasMultiByte)
        Rebuffer();
    return true;
}

bool TVuBinHexModel::SetTextOemSpecial(bool value)
{
    if (value == oemSpecial_)
        return false;
    oemSpecial_ = value;
    return true;
}

void TVuBinHexModel::RefreshTable()
{
    // The binary and hex modes show UTF-8 byte by byte: ASCII as it is,
    // every byte of a longer sequence (or of none) as ".".
    static const std::array<char16_t, 256> kUtf8Bytes = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[size_t(b)] = b < 0x80 ? char16_t(b) : u'.';
        return t;
    }();
    // The Unicode encodings have no byte table; a single-byte mode showing
    // them converts every byte to "?", as an unsupported encoding does.
    if (IsMultiByteEncoding(encoding_))
        table_ = kUtf8Bytes.data();
    else
        table_ = IsUnicodeEncoding(encoding_) ? nullptr : EncodingTable(encoding_);
}

void TVuBinHexModel::DetectByteOrder()
{
    if (byteOrder_ != 0)
        return;
    byteOrder_ = vufLittleEndian;
    if (!HasSource() || fileSize_ < 2)
        return;
    uint8_t head[2] = {0, 0};
    if (!buffer_.empty() && bufferPos_ == 0)
        std::memcpy(head, BufferStart(), 2);
    else if (buffer_.empty() || !ReadSource(head, 2, 0))
        return;
    if (head[0] == 0xFE && head[1] == 0xFF)
        byteOrder_ = vufBigEndian;
}

int64_t TVuBinHexModel::LineUnit() const
{
    switch (mode_) {
    case vbmodeText: return 10;
    case vbmodeBinary: return textWidth_;
    case vbmodeHex: return textWidthHex_;
    case vbmodeUnicode: return 20;
    case vbmodeUHex: return int64_t(textWidthUHex_) * 2;
    }
    return 10;
}

bool TVuBinHexModel::NoConversion() const
{
    return !IsUnicodeMode(mode_) && (encoding_ == vEncANSI || (encoding_ == vEncOEM && oemSpecial_));
}

bool TVuBinHexModel::UsesOemFont() const
{
    return !IsUnicodeMode(mode_) && encoding_ == vEncOEM && oemSpecial_;
}

// --- Properties ---------------------------------------------------------------

bool TVuBinHexModel::SetTextWidth(int value)
{
    value = ClampInt(value, 2, ::LineLimit(vbmodeBinary));
    if (value == textWidth_)
        return false;
    textWidth_ = value;
    return true;
}

bool TVuBinHexModel::SetTextWidthHex(int value)
{
    value = HexWidthRule(value);
    if (value == textWidthHex_)
        return false;
    textWidthHex_ = value;
    return true;
}

bool TVuBinHexModel::SetTextWidthUHex(int value)
{
    value = HexWidthRule(value);
    if (value == textWidthUHex_)
        return false;
    textWidthUHex_ = value;
    return true;
}

void TVuBinHexModel::SetTextWidthFitHex(bool value)
{
    if (widthFitHex_ && !value)
        textWidthHex_ = 16;
    widthFitHex_ = value;
}

void TVuBinHexModel::SetTextWidthFitUHex(bool value)
{
    if (widthFitUHex_ && !value)
        textWidthUHex_ = 8;
    widthFitUHex_ = value;
}

bool TVuBinHexModel::SetTextWrap(bool value)
{
    if (value == wrap_)
        return false;
    wrap_ = value;
    if (wrap_)
        horzScrollPos_ = 0;
    return true;
}

bool TVuBinHexModel::SetTextNonPrintable(bool value)
{
    if (value == nonPrintable_)
        return false;
    nonPrintable_ = value;
    return true;
}

bool TVuBinHexModel::SetTextTabSize(int value)
{
    value = ClampInt(value, 1, 16);
    if (value == tabSize_)
        return false;
    tabSize_ = value;
    return true;
}

void TVuBinHexModel::SetTextSearchIndentVert(int value) { indentVert_ = ClampInt(value, 0, 80); }
void TVuBinHexModel::SetTextSearchIndentHorz(int value) { indentHorz_ = ClampInt(value, 0, 80); }

void TVuBinHexModel::SetBitmapSize(int width, int height)
{
    bitmapWidth_ = width < 0 ? 0 : width;
    bitmapHeight_ = height < 0 ? 0 : height;
}

int TVuBinHexModel::VisibleLines() const
{
    const int height = metrics_.lineHeight > 0 ? metrics_.lineHeight : 1;
    return ClampInt((bitmapHeight_ - 4) / height, 0, kMaxDrawLines);
}

// --- Positions and selection ----------------------------------------------------

void TVuBinHexModel::RefreshLastPos()
{
    const int cs = CharSize();
    const int64_t last = fileSize_ / cs * cs - cs;
    lastPos_ = last < 0 ? 0 : last;
}

int64_t TVuBinHexModel::RoundToChar(int64_t offset) const
{
    const int cs = CharSize();
    return offset >= 0 ? offset / cs * cs : -((-offset + cs - 1) / cs * cs);
}

bool TVuBinHexModel::SetSelection(int64_t start, int64_t length)
{
    if (start < 0 || length < 0 || start > LastPos())
        return false;
    start = RoundToChar(start);
    length = RoundToChar(length);
    const int64_t end = RoundToChar(fileSize_);
    if (length > end - start)  // not start + length: a huge length would overflow
        length = std::max<int64_t>(end - start, 0);
    if (IsMultiByteText() && HasSource()) {
        int64_t first = 0;
        int bytes = 0;
        CharAround(start, first, bytes);
        int64_t stop = length > 0 ? start + length : first;
        if (length > 0 && stop < end) {
            int64_t at = 0;
            CharAround(stop, at, bytes);
            if (at < stop)
                stop = std::min(at + bytes, end);
        }
        start = first;
        length = std::max<int64_t>(stop - start, 0);
    }
    if (start == selStart_ && length == selLength_)
        return false;
    selStart_ = start;
    selLength_ = length;
    return true;
}

// --- Buffer and character fetch --------------------------------------------------

void TVuBinHexModel::ReadBuffer()
{
    if (!HasSource())
        return;
    // The guards in the same read: before BufferPos as far as the file
    // goes back, the rest zero.
    const int64_t before = std::min<int64_t>(guard_, bufferPos_);
    if (before < guard_)
        std::memset(buffer_.data(), 0, size_t(guard_ - before));
    readOK_ = ReadSource(buffer_.data() + (guard_ - before), int64_t(buffer_.size()) - (guard_ - before),
                         bufferPos_ - before);
    if (!readOK_)
        ReportReadError();
}

void TVuBinHexModel::ReportReadError() const
{
    if (kind_ == vsrcFile)
        ViewerMessage(SubstPercentS(ViewerMessages.CannotReadFile, {Utf8ToUtf16(fileName_)}));
    else
        ViewerMessage(ViewerMessages.CannotReadStream);
}

bool TVuBinHexModel::ReadSource(void* dest, int64_t count, int64_t offset)
{
    return ReadSourceBytes(dest, count, offset) >= 0;
}

int64_t TVuBinHexModel::ReadSourceBytes(void* dest, int64_t count, int64_t offset)
{
    if (buffer_.empty())
        throw std::logic_error("Buffer not allocated: ReadSource");
    if (!source_)
        throw std::logic_error("File source not assigned: ReadSource");
    ++readCount_;
    std::memset(dest, 0, size_t(count));
    if (offset < 0)
        return -1;
    try {
        const int64_t got = source_->ReadAt(offset, dest, count);
        return got < 0 ? -1 : std::min(got, count);
    } catch (...) {
        // A caller's stream may throw; that is a failed read like any other.
        return -1;
    }
}

char16_t TVuBinHexModel::GetChar(int64_t offset, bool binary) const
{
    char16_t ch = RawChar(offset);
    if (ch < metrics_.firstChar && (binary || (ch != 13 && ch != 10 && ch != 9)))
        ch = u'.';
    return ch;
}

char16_t TVuBinHexModel::RawChar(int64_t offset) const
{
    char16_t ch = 0;
    if (offset >= 0 && offset <= LastPos() && HasSource()) {
        if (IsOutOfBuffer(offset))
            throw std::logic_error("Buffer position out of range: GetChar");
        const size_t i = size_t(offset - bufferPos_);
        const uint8_t* data = BufferStart();
        if (IsUnicodeMode(mode_)) {
            const uint8_t b0 = data[i];
            const uint8_t b1 = int64_t(i) + 1 < BufferBytes() ? data[i + 1] : 0;
            ch = byteOrder_ == vufBigEndian ? char16_t(b0 << 8 | b1) : char16_t(b1 << 8 | b0);
        } else if (IsMultiByteText()) {
            int bytes = 0;
            const char32_t cp = DecodeAt(offset, bytes);
            char16_t units[2];
            Utf16Units(cp, units);
            ch = units[0];  // a character beyond U+FFFF: its high surrogate
        } else {
            const uint8_t b = data[i];
            if (NoConversion())
                ch = b;
            else
                ch = table_ ? table_[b] : u'?';
        }
    }
    return ch;
}

std::string TVuBinHexModel::HexOfChar(int64_t offset) const
{
    static const char kDigits[] = "0123456789ABCDEF";
    if (offset < 0 || offset > LastPos() || !HasSource())
        return {};
    if (IsOutOfBuffer(offset))
        throw std::logic_error("Buffer position out of range: GetChar");
    const size_t i = size_t(offset - bufferPos_);
    const uint8_t* data = BufferStart();
    std::string hex;
    // The odd byte of a unit is in the buffer whenever the unit is; it lies
    // past LastPos only for the file's last unit, which is shown whole.
    if (IsUnicodeMode(mode_) && int64_t(i) + 1 < BufferBytes()) {
        hex += kDigits[data[i + 1] >> 4];
        hex += kDigits[data[i + 1] & 15];
    }
    hex += kDigits[data[i] >> 4];
    hex += kDigits[data[i] & 15];
    return hex;
}

char32_t TVuBinHexModel::DecodeAt(int64_t offset, int& bytes) const
{
    // The guard after the buffer lets a character starting near its end be
    // read whole; bytes past the source's end are 0, which ends any sequence.
    const size_t i = size_t(offset - bufferPos_);
    char32_t cp = 0;
    bytes = Utf8DecodeChar(BufferStart() + i, size_t(BufferBytes() + guard_) - i, cp);
    return cp;
}

int TVuBinHexModel::CharBytesAt(int64_t offset) const
{
    if (!IsMultiByteText())
        return CharSize();
    if (IsOutOfBuffer(offset))
        return 1;
    int bytes = 1;
    DecodeAt(offset, bytes);
    return bytes;
}

int64_t TVuBinHexModel::CharStart(int64_t offset) const
{
    if (!IsMultiByteText() || IsOutOfBuffer(offset))
        return RoundToChar(offset);
    const size_t i = size_t(offset - bufferPos_) + size_t(guard_);
    return bufferPos_ + int64_t(Utf8CharStart(buffer_.data(), buffer_.size(), i)) - guard_;
}

int64_t TVuBinHexModel::PrevCharStart(int64_t offset) const
{
    if (!IsMultiByteText())
        return offset - CharSize();
    return CharStart(offset - 1);
}

void TVuBinHexModel::CharAround(int64_t offset, int64_t& start, int& bytes)
{
    if (!IsOutOfBuffer(offset)) {
        const int64_t first = CharStart(offset);
        if (!IsOutOfBuffer(first)) {
            start = first;
            bytes = CharBytesAt(first);
            return;
        }
    }
    // A look at the source: the character may start three bytes before the
    // offset and end three after it.
    uint8_t around[2 * kUtf8MaxBytes - 1] = {};
    const int64_t from = std::max<int64_t>(offset - (kUtf8MaxBytes - 1), 0);
    const int64_t got = ReadSourceBytes(around, int64_t(sizeof around), from);
    const size_t at = size_t(offset - from);
    if (got <= int64_t(at)) {
        start = offset;
        bytes = 1;
        return;
    }
    const size_t first = Utf8CharStart(around, size_t(got), at);
    const int n = Utf8SequenceLength(around + first, size_t(got) - first);
    start = from + int64_t(first);
    bytes = n > 0 ? n : 1;
}
