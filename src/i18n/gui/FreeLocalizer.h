// The localizer: reads a language file and applies its form sections to
// the program's forms, frames and data modules, now and (with
// AutoTranslate) whenever one is created later; its "[RESOURCESTRINGS]"
// section replaces the built-in message strings (i18n/core/MessageStrings.h).
//
// One localizer exists for the whole run: the program creates it before
// any form (after the QApplication) and destroys it at shutdown.
#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <cstdint>
#include <stdexcept>

#include "i18n/core/FuncReplacement.h"
#include "i18n/core/LanguageFile.h"

// What ReportError does with a problem: drop it (what Peekwell uses), show
// it in a message box with an error icon, or throw ELocalizerError.
enum TErrorPolicy : uint8_t { epIgnore, epMessageBox, epRaise };

class ELocalizerError : public std::runtime_error {
public:
    explicit ELocalizerError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message)
    {
    }
    const QString& Message() const { return message_; }

private:
    QString message_;
};

class TFreeLocalizer : public QObject {
    Q_OBJECT
public:
    // Needs the QApplication. AutoTranslate off, ErrorPolicy epIgnore, the
    // default code page the system's ANSI one (1250 when it is 0), the
    // message-string redirect on with no translations. Throws
    // std::logic_error when another localizer exists.
    explicit TFreeLocalizer(QObject* parent = nullptr);
    // AutoTranslate off, message-string redirect off (the built-in texts
    // are back in their variables), translations freed.
    ~TFreeLocalizer() override;

    // The localizer of the run, or nullptr before it is created.
    static TFreeLocalizer* Instance();

    // Reads `fileName` (".lng" appended unless present) and replaces the
    // form translations; the message strings only when the file has a
    // "[RESOURCESTRINGS]" section. Forms are retranslated when the whole
    // file was read and AutoTranslate is on. True when the whole file was
    // read; after a problem the sections before it stay loaded (the caller's
    // TranslateAllForms applies them).
    bool LoadLanguage(const QString& fileName);

    // TranslateComponent for every window of the application that is one
    // of our own forms, shown or not.
    void TranslateAllForms();

    // Applies the form sections to a form, frame or data module: its own
    // frames first, then the section of each class from the topmost of our
    // own classes down to the component's class (the first section of a
    // name wins). A failed entry is reported and the next one applied.
    void TranslateComponent(QObject* component);

    bool AutoTranslate() const { return formBuilt_.Enabled(); }
    // On: every form, dialog and frame is translated when it is first shown
    // (or when it calls FormCreated, whichever comes first), unless it was
    // translated already.
    void SetAutoTranslate(bool on);

    // What a form may call once it has built its design and before it sets
    // texts of its own: with AutoTranslate on it is translated now and not
    // again when it is shown.
    void FormCreated(QObject* component);

    TErrorPolicy ErrorPolicy() const { return errorPolicy_; }
    void SetErrorPolicy(TErrorPolicy policy) { errorPolicy_ = policy; }

    int DefaultCodepage() const { return translations_.DefaultCodepage(); }
    void SetDefaultCodepage(int codepage) { translations_.SetDefaultCodepage(codepage); }

    // The form sections of the language in use.
    const TLanguageTranslations& Translations() const { return translations_; }

    // Handles one problem by ErrorPolicy.
    void ReportError(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MarkTranslated(QObject* component);

    TLanguageTranslations translations_;
    TErrorPolicy errorPolicy_ = epIgnore;
    // The step that follows building a form: a no-op while AutoTranslate
    // is off, translating the new component while it is on.
    TFuncReplacement<void(QObject*)> formBuilt_;
    QSet<const QObject*> translated_;
};
