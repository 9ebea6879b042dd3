// Recording stand-ins for the sub-views the viewer makes through its
// makers: each is a plain widget that notes what the viewer asked of it.
#pragma once

#include <QFont>
#include <QMenu>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <ostream>

#include "viewer/gui/VuSubViews.h"

// Readable failures for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']'; }

// Every call of every fake, in order, as "Kind.Call(args)".
inline QStringList& SubViewCalls()
{
    static QStringList calls;
    return calls;
}

class FakeRichText final : public QWidget, public TVuRichTextView {
public:
    explicit FakeRichText(QWidget* parent) : QWidget(parent) {}
    QWidget* Widget() override { return this; }
    void SetTextFont(const QFont& f) override { font_ = f; }
    void SetColor(TColor) override {}
    void SetWordWrap(bool on) override { SubViewCalls() << QStringLiteral("Rich.Wrap(%1)").arg(on); }
    void SetBorder(QFrame::Shape) override {}
    void SetPopupMenu(QMenu* m) override { menu = m; }
    bool LoadRichFile(const QString& name) override
    {
        SubViewCalls() << QStringLiteral("Rich.Load(%1)").arg(name.section(QLatin1Char('/'), -1));
        text = QStringLiteral("rich text body");
        return true;
    }
    void Clear() override { text.clear(); }
    int64_t SelStart() const override { return selStart; }
    int64_t SelLength() const override { return selLength; }
    void SetSelection(int64_t s, int64_t l) override
    {
        selStart = s;
        selLength = l;
        if (OnSelectionChange)
            OnSelectionChange();
    }
    int64_t TextLength() const override { return text.size(); }
    void SelectAll() override { SetSelection(0, TextLength()); }
    std::string SelText() const override { return text.mid(selStart, selLength).toStdString(); }
    bool CopySelection() override
    {
        SubViewCalls() << QStringLiteral("Rich.Copy(%1)").arg(QString::fromStdString(SelText()));
        return true;
    }
    QFont StepFont(bool larger) override
    {
        font_.setPointSize(font_.pointSize() + (larger ? 1 : -1));
        return font_;
    }
    int PrintRich(QPrinter&, bool selectionOnly, int copies, const QString& title) override
    {
        SubViewCalls() << QStringLiteral("Rich.Print(%1,%2,%3)").arg(selectionOnly).arg(copies).arg(title);
        return 1;
    }

    QString text;
    int64_t selStart = 0, selLength = 0;
    QMenu* menu = nullptr;
    QFont font_;
};

class FakeImage final : public QWidget, public TVuImageView {
public:
    explicit FakeImage(QWidget* parent) : QWidget(parent) {}
    QWidget* Widget() override { return this; }
    void SetLook(const TVuImageLook& look) override { background = look.background; }
    void SetBorder(QFrame::Shape) override {}
    QString LoadPicture(const QString& name, const TVuPicture*) override
    {
        SubViewCalls() << QStringLiteral("Image.Load(%1)").arg(name.section(QLatin1Char('/'), -1));
        has = !name.endsWith(QLatin1String("bad.png"));
        return has ? QString() : QStringLiteral("Unknown image format");
    }
    bool HasPicture() const override { return has; }
    void ClearPicture() override { has = false; }
    bool IsIcon() const override { return false; }
    bool IsMetafile() const override { return false; }
    bool FitToWindow() const override { return fit; }
    void SetFitToWindow(bool on) override { fit = on; }
    bool FitOnlyBig() const override { return onlyBig; }
    void SetFitOnlyBig(bool on) override { onlyBig = on; }
    bool Center() const override { return center; }
    void SetCenter(bool on) override { center = on; }
    void SetKeepPosition(bool) override {}
    void StepZoom(bool in) override { SubViewCalls() << QStringLiteral("Image.Zoom(%1)").arg(in); }
    bool ApplyImageOp(int op, TColor bg) override
    {
        SubViewCalls() << QStringLiteral("Image.Op(%1,%2)").arg(op).arg(bg, 0, 16);
        return true;
    }

    bool has = false, fit = true, onlyBig = true, center = true;
    TColor background = 0;
};

class FakePlayer final : public QWidget, public TVuMediaPlayerView {
public:
    FakePlayer(TVuViewerMediaMode kind, QWidget* parent) : QWidget(parent), kind_(kind) {}
    QWidget* Widget() override { return this; }
    QString Load(const TVuMediaLoad& load) override
    {
        SubViewCalls() << QStringLiteral("Player%1.Load(%2,vol %3)")
                              .arg(kind_)
                              .arg(load.fileName.section(QLatin1Char('/'), -1))
                              .arg(load.volumeLevel);
        return {};
    }
    void Release() override { SubViewCalls() << QStringLiteral("Player%1.Release").arg(kind_); }
    int VolumeLevel() const override { return volume; }
    void SetVolumeLevel(int level) override { volume = level; }
    bool Mute() const override { return false; }
    bool SetFull(bool) override { return true; }
    void SetFit(bool) override {}
    void Place() override {}

    int volume = 8;

private:
    TVuViewerMediaMode kind_;
};

class FakePluginHost final : public TVuPluginHost {
public:
    bool AddPlugin(const QString& file, const QString&) override
    {
        SubViewCalls() << QStringLiteral("Host.Add(%1)").arg(file);
        ++count;
        return true;
    }
    void UnloadAll() override
    {
        SubViewCalls() << QStringLiteral("Host.UnloadAll");
        count = 0;
    }
    void InitParams(QWidget*, const QString&) override {}
    void SetFocusOnLoad(bool) override {}
    bool OpenMatched(const QString& name, const TVuPluginParams& p, bool autoDetect) override
    {
        if (count == 0)
            return false;
        SubViewCalls() << QStringLiteral("Host.Open(%1,%2,wrap %3)")
                              .arg(name.section(QLatin1Char('/'), -1))
                              .arg(autoDetect ? QStringLiteral("auto") : QStringLiteral("forced"))
                              .arg(p.wrap);
        active = !autoDetect || name.endsWith(QLatin1String(".ini"));
        return active;
    }
    void CloseActive() override
    {
        if (active)
            SubViewCalls() << QStringLiteral("Host.Close");
        active = false;
    }
    void ResizeActive(const QRect&) override {}
    void SendNewParams(const TVuPluginParams& p) override
    {
        SubViewCalls() << QStringLiteral("Host.Params(wrap %1)").arg(p.wrap);
    }
    bool PrintActive() override
    {
        SubViewCalls() << QStringLiteral("Host.Print");
        return true;
    }
    void FocusActive() override {}
    QString ActivePluginName() const override { return active ? QStringLiteral("inifile") : QString(); }

    bool active = false;
    int count = 0;
};

// Installs the fakes as the viewer's makers for one test.
class FakeMakersScope {
public:
    FakeMakersScope()
    {
        SubViewCalls().clear();
        TVuSubViewMakers m;
        m.richText = [](QWidget* p) { return std::make_unique<FakeRichText>(p); };
        m.image = [](QWidget* p) { return std::make_unique<FakeImage>(p); };
        m.mediaPlayer = [](TVuViewerMediaMode kind, QWidget* p) { return std::make_unique<FakePlayer>(kind, p); };
        m.pluginHost = [] { return std::make_unique<FakePluginHost>(); };
        SetViewerSubViewMakers(std::move(m));
    }
    ~FakeMakersScope() { SetViewerSubViewMakers({}); }
    FakeMakersScope(const FakeMakersScope&) = delete;
    FakeMakersScope& operator=(const FakeMakersScope&) = delete;
};
