#include "i18n/gui/PropertyPath.h"

#include <QMenu>
#include <QWidget>

#include "i18n/gui/Frame.h"

bool IsFrame(const QObject* object) { return qobject_cast<const TFrame*>(object) != nullptr; }

bool IsDesignedClass(const QMetaObject* meta)
{
    return meta && meta->className()[0] != 'Q';
}

namespace {

// A window that is not a pop-up menu: another form when it is of one of
// our own classes, otherwise a dialog component of this form (a file
// dialog): found by its name, but its insides are Qt's, not ours.
bool IsDialogWindow(const QObject* o)
{
    const auto* w = qobject_cast<const QWidget*>(o);
    return w && w->isWindow() && !qobject_cast<const QMenu*>(w);
}
bool IsOtherWindow(const QObject* o) { return IsDialogWindow(o) && IsDesignedClass(o->metaObject()); }

template <class Visit>
bool WalkOwned(QObject* owner, Visit&& visit)
{
    for (QObject* child : owner->children()) {
        if (IsOtherWindow(child))
            continue;
        if (visit(child))
            return true;
        if (!IsFrame(child) && !IsDialogWindow(child) && WalkOwned(child, visit))
            return true;
    }
    return false;
}

}  // namespace

QObject* FindOwnedComponent(QObject* owner, const QString& name)
{
    QObject* found = nullptr;
    if (name.isEmpty())
        return nullptr;
    WalkOwned(owner, [&](QObject* o) {
        if (o->objectName().compare(name, Qt::CaseInsensitive) == 0) {
            found = o;
            return true;
        }
        return false;
    });
    return found;
}

QList<QObject*> OwnedFrames(QObject* owner)
{
    QList<QObject*> frames;
    WalkOwned(owner, [&](QObject* o) {
        if (IsFrame(o))
            frames.append(o);
        return false;
    });
    return frames;
}

TSetResult SetPropertyByPath(QObject* root, const QString& path, const QString& value)
{
    const QStringList names = path.split(QLatin1Char('.'));
    const qsizetype last = names.size() - 1;
    QObject* component = root;
    QObject* frameRoot = root;
    qsizetype i = 0;
    std::unique_ptr<TPathTarget> target;
    for (;;) {
        // Component walk.
        for (; i < last; ++i) {
            QObject* owned = FindOwnedComponent(component, names[i]);
            if (!owned)
                break;
            component = owned;
            if (IsFrame(owned))
                frameRoot = owned;
        }
        // Property walk; a name it cannot resolve is looked up again among
        // the components of the frame root (a form's components are found
        // from the form whatever component the path went through).
        target = TargetOf(component);
        bool resolved = true;
        for (; i < last; ++i) {
            auto next = target->Resolve(names[i]);
            if (!next) {
                resolved = false;
                break;
            }
            target = std::move(next);
        }
        if (resolved)
            break;
        if (component == frameRoot)
            return TSetResult::Unknown();
        component = frameRoot;
    }
    if (TStringListTarget* lines = target->AsStringList()) {
        lines->SetLines(ValueLines(value));
        return TSetResult::Success();
    }
    return target->Set(names[last], value);
}
