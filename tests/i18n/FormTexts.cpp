#include "FormTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QTreeWidget>

namespace {

QString PathOf(const QObject* o, const QObject* form)
{
    QStringList names;
    for (; o && o != form->parent(); o = o->parent())
        names.prepend(o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : o->objectName());
    return names.join('/');
}

void Add(QMap<QString, QString>& out, const QString& key, const QString& text)
{
    if (!text.isEmpty())
        out.insert(key, text);
}

void Collect(QObject* o, const QWidget* form, QMap<QString, QString>& out)
{
    const QString p = PathOf(o, form);
    if (auto* w = qobject_cast<QWidget*>(o)) {
        Add(out, p + ":Hint", w->toolTip());
        if (w->isWindow() && !qobject_cast<QMenu*>(w))
            Add(out, p + ":Caption", w->windowTitle());
    }
    if (auto* a = qobject_cast<QAction*>(o)) {
        Add(out, p + ":Caption", a->text());
        Add(out, p + ":Hint", a->toolTip());
    }
    if (auto* m = qobject_cast<QMenu*>(o))
        Add(out, p + ":Caption", m->title());
    if (auto* b = qobject_cast<QAbstractButton*>(o))
        Add(out, p + ":Caption", b->text());
    if (auto* l = qobject_cast<QLabel*>(o))
        Add(out, p + ":Caption", QTextDocumentFragment::fromHtml(l->text()).toPlainText());
    if (auto* g = qobject_cast<QGroupBox*>(o))
        Add(out, p + ":Caption", g->title());
    if (auto* e = qobject_cast<QLineEdit*>(o))
        Add(out, p + ":TextHint", e->placeholderText());
    if (auto* c = qobject_cast<QComboBox*>(o))
        for (int i = 0; i < c->count(); ++i)
            Add(out, p + QStringLiteral(":Items(%1)").arg(i), c->itemText(i));
    if (auto* l = qobject_cast<QListWidget*>(o))
        for (int i = 0; i < l->count(); ++i)
            Add(out, p + QStringLiteral(":Items(%1)").arg(i), l->item(i)->text());
    if (auto* t = qobject_cast<QTabWidget*>(o))
        for (int i = 0; i < t->count(); ++i)
            Add(out, p + QStringLiteral(":Tabs(%1)").arg(i), t->tabText(i));
    if (auto* t = qobject_cast<QTreeWidget*>(o))
        for (int i = 0; i < t->columnCount(); ++i)
            Add(out, p + QStringLiteral(":Columns(%1)").arg(i), t->headerItem()->text(i));
    for (QObject* child : o->children()) {
        // A file dialog of the form is one of its components: its filters
        // are the form's text (its own controls are Qt's).
        if (auto* d = qobject_cast<QFileDialog*>(child)) {
            Add(out, PathOf(d, form) + ":Filter", d->nameFilters().join(";;"));
            continue;
        }
        auto* w = qobject_cast<QWidget*>(child);
        if (w && w->isWindow() && !qobject_cast<QMenu*>(w))
            continue;  // another form
        Collect(child, form, out);
    }
}

}  // namespace

QMap<QString, QString> VisibleTexts(QWidget* form)
{
    QMap<QString, QString> out;
    Collect(form, form, out);
    return out;
}

QMap<QString, QString> VisibleTextsOfAllForms()
{
    QMap<QString, QString> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->metaObject()->className()[0] != 'Q')
            out.insert(VisibleTexts(w));
    return out;
}

bool HasCyrillic(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF)
            return true;
    return false;
}
