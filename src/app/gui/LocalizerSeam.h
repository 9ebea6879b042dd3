// The main window's view of the program's localizer: TAppLocalizer over
// TFreeLocalizer. The program entry and the tests that start the real
// window use it alike.
#pragma once

#include "app/gui/AppSeams.h"
#include "i18n/gui/FreeLocalizer.h"

class TFreeLocalizerSeam final : public TAppLocalizer {
public:
    explicit TFreeLocalizerSeam(TFreeLocalizer& localizer) : localizer_(localizer) {}
    void SetAutoTranslate(bool on) override { localizer_.SetAutoTranslate(on); }
    // A load cut short by a problem still counts when it read sections
    // before it: translating the forms then applies them.
    bool LoadLanguage(const QString& languageFile) override
    {
        return localizer_.LoadLanguage(languageFile) || !localizer_.Translations().Forms().empty();
    }
    void TranslateAllForms() override { localizer_.TranslateAllForms(); }
    void TranslateComponent(QObject* component) override { localizer_.TranslateComponent(component); }

private:
    TFreeLocalizer& localizer_;
};
