// TVuViewer: the one control the main window shows files in.
//
// This first version holds every setting the main window reads from and
// writes to conf.ini, the detection settings, the plugin list, and opens a
// file as far as choosing its mode; it shows no content yet (its sub-views,
// one per kind of content, arrive with the views themselves).
#pragma once

#include <QFont>
#include <QFrame>
#include <QRect>
#include <QString>
#include <QVector>

#include "text/core/VuxCodepages.h"
#include "viewer/core/VuColor.h"
#include "viewer/core/VuDetect.h"
#include "viewer/core/VuViewerModes.h"

class TVuViewer : public QFrame {
    Q_OBJECT
    Q_PROPERTY(bool TextWrap READ TextWrap WRITE SetTextWrap)
    Q_PROPERTY(bool TextGutter READ TextGutter WRITE SetTextGutter)
    Q_PROPERTY(QFont TextFont READ TextFont WRITE SetTextFont)
    Q_PROPERTY(QFont TextFontOEM READ TextFontOEM WRITE SetTextFontOEM)
    Q_PROPERTY(bool TextAutoReload READ TextAutoReload WRITE SetTextAutoReload)
    Q_PROPERTY(bool TextAutoReloadBeep READ TextAutoReloadBeep WRITE SetTextAutoReloadBeep)
    Q_PROPERTY(int MediaVolume READ MediaVolume WRITE SetMediaVolume)
    Q_PROPERTY(bool PluginsFirst READ PluginsFirst WRITE SetPluginsFirst)
    Q_PROPERTY(QString FileName READ FileName)

public:
    // One Lister plugin given to the viewer: its library and the detect
    // string that says which files it claims.
    struct PluginEntry {
        QString fileName;
        QString detectString;
    };

    explicit TVuViewer(QWidget* parent = nullptr);
    ~TVuViewer() override;

    // --- File -----------------------------------------------------------
    // Opens `fileName`: makes it absolute, and when it is a new name unloads
    // the previous file (OnFileUnload), then, for a readable file, runs the
    // mode detection (when ModeDetect) and fires OnFileLoad. An empty name
    // just unloads. A missing file or a folder gives "File not found: %s",
    // an unreadable one "Cannot open file: %s"; both leave no file and
    // return false. The same name again returns true and fires nothing.
    bool Open(const QString& fileName);

    QString FileName() const { return fileName_; }
    int64_t FileSize() const { return fileSize_; }

    TVuViewerMode Mode() const { return mode_; }
    void SetMode(TVuViewerMode mode);

    // --- Detection (see DetectMode) -------------------------------------
    TVuDetectSettings& DetectSettings() { return detect_; }
    const TVuDetectSettings& DetectSettings() const { return detect_; }
    bool PluginsFirst() const { return detect_.PluginsFirst; }
    void SetPluginsFirst(bool on) { detect_.PluginsFirst = on; }

    // The plugin host's probe used by the detection; not owned, may be null.
    void SetPluginProbe(TVuPluginProbe* probe) { probe_ = probe; }

    TVuEncoding TextEncoding() const { return encoding_; }
    void SetTextEncoding(TVuEncoding enc) { encoding_ = enc; }

    // --- Text settings ----------------------------------------------------
    bool TextWrap() const { return textWrap_; }
    void SetTextWrap(bool on) { textWrap_ = on; }
    bool TextGutter() const { return textGutter_; }
    void SetTextGutter(bool on) { textGutter_ = on; }
    QFont TextFont() const { return textFont_; }
    void SetTextFont(const QFont& font) { textFont_ = font; }
    // The colour of TextFont (a font carries its colour in the settings).
    TColor TextFontColor() const { return textFontColor_; }
    void SetTextFontColor(TColor c) { textFontColor_ = c; }
    QFont TextFontOEM() const { return textFontOEM_; }
    void SetTextFontOEM(const QFont& font) { textFontOEM_ = font; }
    bool TextAutoReload() const { return textAutoReload_; }
    void SetTextAutoReload(bool on) { textAutoReload_ = on; }
    bool TextAutoReloadBeep() const { return textAutoReloadBeep_; }
    void SetTextAutoReloadBeep(bool on) { textAutoReloadBeep_ = on; }

    TColor TextColor() const { return textColor_; }
    void SetTextColor(TColor c);
    TColor TextColorHex() const { return textColorHex_; }
    void SetTextColorHex(TColor c) { textColorHex_ = c; }
    TColor TextColorHex2() const { return textColorHex2_; }
    void SetTextColorHex2(TColor c) { textColorHex2_ = c; }
    TColor TextColorHexBack() const { return textColorHexBack_; }
    void SetTextColorHexBack(TColor c) { textColorHexBack_ = c; }
    TColor TextColorLines() const { return textColorLines_; }
    void SetTextColorLines(TColor c) { textColorLines_ = c; }
    TColor TextColorError() const { return textColorError_; }
    void SetTextColorError(TColor c) { textColorError_ = c; }
    TColor TextColorGutter() const { return textColorGutter_; }
    void SetTextColorGutter(TColor c) { textColorGutter_ = c; }

    // Border of the sub-views: QFrame::NoFrame for none, else a single line.
    QFrame::Shape BorderStyleInner() const { return borderStyleInner_; }
    void SetBorderStyleInner(QFrame::Shape shape) { borderStyleInner_ = shape; }

    // --- Media settings ---------------------------------------------------
    // Volume level 0..10; values outside are clamped.
    int MediaVolume() const { return mediaVolume_; }
    void SetMediaVolume(int level);
    TVuViewerMediaMode MediaMode() const { return mediaMode_; }
    void SetMediaMode(TVuViewerMediaMode mode) { mediaMode_ = mode; }

    // --- Plugins ----------------------------------------------------------
    // Forgets every plugin.
    void ClearPlugins();
    // Appends a plugin; false (and nothing added) for an empty file name.
    bool AddPlugin(const QString& fileName, const QString& detectString);
    const QVector<PluginEntry>& Plugins() const { return plugins_; }
    // The window plugins show in and the plugin settings file (may be empty).
    void SetPluginsParent(QWidget* parent, const QString& settingsFile);
    QWidget* PluginsParent() const { return pluginsParent_; }
    // The rectangle the open plugin window is to fill, in viewer coordinates.
    void ResizePlugins(const QRect& rect) { pluginRect_ = rect; }

signals:
    void OnFileLoad();
    void OnFileUnload();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void CloseFile();

    QString fileName_;
    int64_t fileSize_ = 0;
    TVuViewerMode mode_ = vmodeText;
    TVuEncoding encoding_ = vEncANSI;
    TVuDetectSettings detect_;
    TVuPluginProbe* probe_ = nullptr;

    bool textWrap_ = false;
    bool textGutter_ = false;
    QFont textFont_;
    TColor textFontColor_ = clWindowText;
    QFont textFontOEM_;
    bool textAutoReload_ = false;
    bool textAutoReloadBeep_ = false;
    TColor textColor_ = clWindow;
    TColor textColorHex_ = clNavy;
    TColor textColorHex2_ = clBlue;
    TColor textColorHexBack_ = 0xECECEC;
    TColor textColorLines_ = clGray;
    TColor textColorError_ = clRed;
    TColor textColorGutter_ = clSilver;
    QFrame::Shape borderStyleInner_ = QFrame::Box;

    int mediaVolume_ = 8;
    TVuViewerMediaMode mediaMode_ = vmmodeWMP64;

    QVector<PluginEntry> plugins_;
    QWidget* pluginsParent_ = nullptr;
    QString pluginsSettingsFile_;
    QRect pluginRect_;
};
