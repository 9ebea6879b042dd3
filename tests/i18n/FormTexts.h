// Every text a user can see on a form: captions, hints, items, titles,
// keyed by the component's object path, for the tests that check what a
// language file leaves behind.
#pragma once

#include <QMap>
#include <QString>
#include <QWidget>

// Texts of `form` and everything it owns (menus and actions included,
// other windows not), keyed "Form1/pAbout/btnopen:Hint" and the like.
QMap<QString, QString> VisibleTexts(QWidget* form);

// The texts of every window of the application that is one of our forms.
QMap<QString, QString> VisibleTextsOfAllForms();

bool HasCyrillic(const QString& text);
