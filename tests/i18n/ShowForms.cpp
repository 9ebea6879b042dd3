// A look by eye at the forms in a language: starts the main window with the
// localizer and the language file given (none: the designed texts), pops up
// the options menu and a tool tip, shows the plugin manager beside it, and
// quits after a few seconds. Not a test; run under Xvfb and take a
// screenshot:
//   i18n_show_forms [file.lng] [seconds]
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include "app/gui/AppSeams.h"
#include "app/gui/LocalizerSeam.h"
#include "app/gui/Form1.h"
#include "i18n/gui/FreeLocalizer.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString language = args.value(1);
    const int seconds = args.value(2, "6").toInt();

    TFreeLocalizer localizer;
    TFreeLocalizerSeam seam(localizer);
    QTemporaryDir appDir;  // an empty program folder: no conf.ini, no default language
    TForm1Options options;
    options.appDir = appDir.path() + "/";
    options.useCommandLine = false;
    options.localizer = &seam;
    TForm1 form(std::move(options));
    if (!language.isEmpty()) {
        localizer.LoadLanguage(language);
        localizer.TranslateAllForms();
    }
    form.setGeometry(0, 0, 760, 560);
    form.show();

    QTimer::singleShot(500, [&] {
        if (auto* plugins = form.findChild<QDialog*>("Fpluginst", Qt::FindDirectChildrenOnly)) {
            plugins->show();
            plugins->move(800, 40);
        }
        if (auto* menu = form.findChild<QMenu*>("options"))
            menu->popup(form.mapToGlobal(QPoint(420, 60)));
        if (auto* open = form.findChild<QToolButton*>("btnopen"))
            QToolTip::showText(open->mapToGlobal(QPoint(4, 26)), open->toolTip(), open);
    });
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}
