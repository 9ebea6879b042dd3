// Program entry: the application, the main window, the message loop.
#include <QApplication>

#include "app/gui/Form1.h"
#include "app/gui/LocalizerSeam.h"
#include "app/gui/SignalCloser.h"
#include "i18n/gui/FreeLocalizer.h"
#include "text/gui/VuMessageBox.h"

namespace {

QtMessageHandler qtHandler = nullptr;

// Qt reports on stderr each font that lacks shaping tables for a script it
// falls back through; text shown as UTF-16 meets many scripts, and the
// report says nothing a user can act on. Everything else goes through.
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.trimmed().startsWith(QLatin1String("OpenType support missing for")))
        return;
    if (qtHandler)
        qtHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv)
{
    qtHandler = qInstallMessageHandler(FilterQtMessages);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Peekwell"));
    // No display name: on X11 Qt would append it to every window title, and
    // the main window's title must read exactly "Peekwell 1.1.6 (Tarnwick) -- file".
    InstallViewerMessageBox();
    // One localizer for the run, created before any form and outliving them.
    TFreeLocalizer localizer;
    TFreeLocalizerSeam localizerSeam(localizer);

    // Qt has taken its own options out of argv by now; what is left after
    // the program name are the program's parameters.
    TForm1Options options;
    for (int i = 1; i < argc; ++i)
        options.parameters << QString::fromLocal8Bit(argv[i]);
    options.useCommandLine = false;
    options.localizer = &localizerSeam;

    TForm1 form(std::move(options));
    SignalCloser closer;
    QObject::connect(&closer, &SignalCloser::TerminationRequested, &form, [&form](int) { form.CloseForSignal(); });
    form.show();
    return app.exec();
}
