#include "i18n/gui/FreeLocalizer.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QWidget>

#include "i18n/core/MessageStrings.h"
#include "i18n/gui/PropertyPath.h"
#include "text/core/VuxCodepages.h"

namespace {

TFreeLocalizer* gInstance = nullptr;

int InitialDefaultCodepage()
{
    const int cp = SystemAnsiCodepage();
    return cp == 0 ? 1250 : cp;
}

QString ComponentName(const QObject* c)
{
    return c->objectName().isEmpty() ? QString::fromLatin1(c->metaObject()->className()) : c->objectName();
}

}  // namespace

TFreeLocalizer::TFreeLocalizer(QObject* parent)
    : QObject(parent),
      translations_(InitialDefaultCodepage(), ResStringer()),
      formBuilt_([](QObject*) {},
                 [this](QObject* component) {
                     // Off while translating, so nothing the translation
                     // builds or shows is translated on top of it.
                     decltype(formBuilt_)::TSuspend off(formBuilt_);
                     TranslateComponent(component);
                 })
{
    if (gInstance)
        throw std::logic_error("Only one localizer may exist");
    gInstance = this;
    translations_.SetReport([this](const std::u16string& m) { ReportError(QString::fromStdU16String(m)); });
    ResStringer().Assign({});
    SetResStringRedirect(true);
    RefreshResStrings();
    if (qApp)
        qApp->installEventFilter(this);
}

TFreeLocalizer::~TFreeLocalizer()
{
    SetAutoTranslate(false);
    if (qApp)
        qApp->removeEventFilter(this);
    SetResStringRedirect(false);
    ResStringer().Assign({});
    RefreshResStrings();
    gInstance = nullptr;
}

TFreeLocalizer* TFreeLocalizer::Instance() { return gInstance; }

bool TFreeLocalizer::LoadLanguage(const QString& fileName)
{
    bool whole = false;
    {
        // The message strings read before a raised report still reach the
        // variables that show them.
        struct TRefresh {
            ~TRefresh() { RefreshResStrings(); }
        } refresh;
        whole = translations_.LoadFile(fileName.toStdString());
    }
    // A load cut short leaves the retranslation to the caller's
    // TranslateAllForms, which then applies the sections read before the
    // problem.
    if (whole && AutoTranslate())
        TranslateAllForms();
    return whole;
}

void TFreeLocalizer::TranslateAllForms()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (IsDesignedClass(w->metaObject()))
            TranslateComponent(w);
}

void TFreeLocalizer::TranslateComponent(QObject* component)
{
    if (!component)
        return;
    MarkTranslated(component);
    // From the component's class up to the topmost of our own classes.
    QList<const QMetaObject*> chain;
    for (const QMetaObject* m = component->metaObject(); m; m = m->superClass()) {
        chain.prepend(m);
        if (!IsDesignedClass(m->superClass()))
            break;
    }
    for (QObject* frame : OwnedFrames(component))
        TranslateComponent(frame);
    for (const QMetaObject* m : chain) {
        const TResForm* form = translations_.FindForm(QString::fromLatin1(m->className()).toStdU16String());
        if (!form)
            continue;
        for (std::size_t j = 0; j < form->Paths.size(); ++j) {
            const QString path = QString::fromStdU16String(form->Paths[j]);
            const TSetResult r = SetPropertyByPath(component, path, QString::fromStdU16String(form->Values[j]));
            if (r.Ok)
                continue;
            if (!r.Error.isEmpty())
                ReportError(QStringLiteral("Translation error of property \"%1\" in component \"%2\"\r\n%3")
                                .arg(path, ComponentName(component), r.Error));
            else
                ReportError(QStringLiteral("Unknown property \"%1\" found in component \"%2\".\r\n"
                                           "Remove it from language file")
                                .arg(path, ComponentName(component)));
        }
    }
}

void TFreeLocalizer::SetAutoTranslate(bool on) { formBuilt_.SetEnabled(on); }

void TFreeLocalizer::FormCreated(QObject* component)
{
    if (component && !translated_.contains(component))
        formBuilt_(component);
}

void TFreeLocalizer::ReportError(const QString& message)
{
    switch (errorPolicy_) {
    case epIgnore: break;
    case epMessageBox: {
        QString text = message;
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text);
        box.exec();
        break;
    }
    case epRaise: throw ELocalizerError(message);
    }
}

bool TFreeLocalizer::eventFilter(QObject* watched, QEvent* event)
{
    // A form is complete by the time it is first shown; translating it then
    // (and never again on its own) is the nearest Qt has to "right after it
    // was built from its design".
    if (event->type() == QEvent::Show && formBuilt_.Enabled() && watched->isWidgetType() &&
        !translated_.contains(watched)) {
        auto* w = static_cast<QWidget*>(watched);
        if ((w->isWindow() && IsDesignedClass(w->metaObject())) || IsFrame(w)) {
            try {
                formBuilt_(w);
            } catch (const ELocalizerError&) {
                // Nobody asked for this translation, so nobody can be told:
                // an exception must not cross Qt's event delivery.
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void TFreeLocalizer::MarkTranslated(QObject* component)
{
    if (translated_.contains(component))
        return;
    translated_.insert(component);
    connect(component, &QObject::destroyed, this, [this, component] { translated_.remove(component); });
}
