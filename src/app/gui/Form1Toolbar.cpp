// The toolbar row's commands: what each button does, the row's slide out
// of view and back (by the M key, the options dialog or, with the
// automatic menu, the mouse), and the image commands.
#include "app/gui/Form1.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFrame>
#include <QMenu>
#include <QThread>

#include "app/gui/SpeedButton.h"
#include "viewer/gui/VuViewer.h"

namespace {

// The slide: 23 steps of 2 pixels, 46 in all, the height of the row and
// then some. Each step lets events through for a few milliseconds, so the
// row is seen moving and the window stays responsive.
constexpr int kSlideSteps = 23;
constexpr int kSlideStep = 2;
constexpr int kSlideStepMs = 6;

}  // namespace

void TForm1::ConnectToolbarButtons()
{
    const auto on = [this](const char* name, auto&& command) {
        connect(ToolButton(QString::fromLatin1(name)), &QToolButton::clicked, this,
                std::forward<decltype(command)>(command));
    };
    on("btnpanels", [this] { btnpanelsClick(); });
    on("btnzoomin", [this] { viewer->ZoomStep(true); });
    on("btnzoomout", [this] { viewer->ZoomStep(false); });
    on("btnnonprintable", [this] { viewer->SetTextNonPrintable(!viewer->TextNonPrintable()); });
    on("specOEM", [this] { viewer->SetTextOemSpecial(!viewer->TextOemSpecial()); });
    on("btnwrap", [this] { viewer->SetTextWrap(!viewer->TextWrap()); });
    on("showfull", [this] { showfullClick(); });
    on("btnprint", [this] { printmenu->popup(QCursor::pos()); });
    on("btnabout", [this] { btnaboutClick(); });
    on("btn90", [this] { ImageCommandClick(0); });
    on("btn270", [this] { ImageCommandClick(1); });
    on("btnfliphor", [this] { ImageCommandClick(5); });
    on("btnflipvertical", [this] { ImageCommandClick(4); });
    on("btnnegative", [this] { ImageCommandClick(3); });
    on("btnother", [this] { filtermenu->popup(QCursor::pos()); });
    connect(btnshowhide, &QToolButton::clicked, this, &TForm1::btnshowhideClick);
}

void TForm1::btnshowhideClick()
{
    if (!ToolbarIdle)
        return;
    ToolbarIdle = false;
    const int dy = ToolbarShown ? -kSlideStep : kSlideStep;
    QWidget* const row[] = {btnprew, btnnext, leftpanel, rightpanel};
    for (int step = 0; step < kSlideSteps; ++step) {
        for (QWidget* w : row)
            w->move(w->x(), w->y() + dy);
        QElapsedTimer pause;
        pause.start();
        do {
            QCoreApplication::processEvents(QEventLoop::AllEvents, kSlideStepMs);
            if (pause.elapsed() < kSlideStepMs)
                QThread::msleep(1);
        } while (pause.elapsed() < kSlideStepMs);
    }
    ToolbarShown = !ToolbarShown;
    ToolbarIdle = true;
}

void TForm1::showhideM(const QPoint& clientPos)
{
    if (!ToolbarIdle)
        return;
    const bool inZone = clientPos.x() >= leftpanel->x() && clientPos.x() <= rightpanel->x() + rightpanel->width() &&
                        clientPos.y() >= 0 && clientPos.y() < btnnext->height();
    if (inZone != ToolbarShown)
        btnshowhideClick();
}

void TForm1::ImageCommandClick(int command)
{
    // Only the formats the picture can be written back as may be saved.
    const QString ext = QFileInfo(viewer->FileName()).suffix().toUpper();
    if (ext == QLatin1String("BMP") || ext == QLatin1String("JPG") || ext == QLatin1String("JPEG"))
        ToolButton(QStringLiteral("btnsave"))->setEnabled(true);
    viewer->ImageCommand(command);
}
