// What the main window calls on the localizer and on the external media
// library. Both arrive as libraries of their own; the main window talks to
// them only through these two interfaces, handed to it at creation, so it
// builds and runs without either (no translation; a media library that
// only keeps its wave-out volume).
#pragma once

#include <QString>
#include <cstdint>

class QObject;
class QWidget;

// The language-file localizer.
class TAppLocalizer {
public:
    virtual ~TAppLocalizer() = default;
    // Translate every form created from now on as it is loaded.
    virtual void SetAutoTranslate(bool on) = 0;
    // Loads `languageFile`; false when it cannot be read (the forms then
    // keep the texts they have).
    virtual bool LoadLanguage(const QString& languageFile) = 0;
    // Translates every open form with the loaded language.
    virtual void TranslateAllForms() = 0;
    // Translates one form made for a single use (a dialog) right after it
    // is built. By default nothing happens (the form keeps its texts).
    virtual void TranslateComponent(QObject* component) { (void)component; }
};

// The external media library, as far as start-up and close use it.
class TMediaLibrary {
public:
    virtual ~TMediaLibrary() = default;
    // Wave-out volume 0..65535, applied at once.
    virtual void setWaveOutVolume(int volume) = 0;
    virtual int getWaveOutVolume() = 0;
    // Frees the stream being played, if any.
    virtual void freeMediaStream() = 0;
    // True while the stream being played has a picture.
    virtual bool VideoAvailable() = 0;
    // Places the video picture in the window it is drawn into.
    virtual void setVideoPos(int left, int top, int width, int height) = 0;
    // Opens `fileName` as the stream, drawing video into `window`.
    virtual void loadMediaFile(const QString& fileName, QWidget* window) = 0;
    // True while a stream is loaded.
    virtual bool MediaStreamAvailable() = 0;
    // Length and position in 100-nanosecond units (0: nothing to track).
    virtual int64_t getMediaStreamDuration() = 0;
    virtual int64_t getMediaStreamPos() = 0;
    virtual void setMediaStreamPos(int64_t position) = 0;
};

// Stand-in until the media library is loaded: it holds the volume so the
// value read from conf.ini is the one written back, and plays nothing.
class TNoMediaLibrary final : public TMediaLibrary {
public:
    void setWaveOutVolume(int volume) override { volume_ = volume < 0 ? 0 : (volume > 65535 ? 65535 : volume); }
    int getWaveOutVolume() override { return volume_; }
    void freeMediaStream() override {}
    bool VideoAvailable() override { return false; }
    void setVideoPos(int, int, int, int) override {}
    void loadMediaFile(const QString&, QWidget*) override {}
    bool MediaStreamAvailable() override { return false; }
    int64_t getMediaStreamDuration() override { return 0; }
    int64_t getMediaStreamPos() override { return 0; }
    void setMediaStreamPos(int64_t) override {}

private:
    int volume_ = 0;
};
