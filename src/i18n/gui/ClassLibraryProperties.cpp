#include "i18n/gui/ClassLibraryProperties.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <functional>
#include <optional>

void TStringListTarget::SetLines(const QStringList& lines)
{
    const int n = static_cast<int>(lines.size());
    for (int i = 0; i < n; ++i) {
        if (i < Count())
            SetLine(i, lines[i]);
        else
            AddLine(lines[i]);
    }
    while (Count() > n)
        DeleteLine(Count() - 1);
}

QStringList ValueLines(const QString& value)
{
    QStringList lines = value.split(QLatin1Char('\r'));
    for (int i = 1; i < lines.size(); ++i)
        if (lines[i].startsWith(QLatin1Char('\n')))
            lines[i].remove(0, 1);
    return lines;
}

QStringList QtNameFilters(const QString& classLibraryFilter)
{
    const QStringList parts = classLibraryFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QStringList patterns;
        if (i + 1 < parts.size())
            for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
                patterns << (p.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : p.trimmed());
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        if (description.isEmpty() && i + 1 >= parts.size())
            continue;  // a trailing "|"
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

namespace {

// Qt breaks lines at LF; language files break them at CR.
QString QtText(const QString& value)
{
    QString s = value;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

bool Is(const QString& name, const char* classLibraryName)
{
    return name.compare(QLatin1String(classLibraryName), Qt::CaseInsensitive) == 0;
}

// ---- string lists -------------------------------------------------------

class TComboItems : public TStringListTarget {
public:
    explicit TComboItems(QComboBox* c) : c_(c) {}
    int Count() const override { return c_->count(); }
    void SetLine(int i, const QString& t) override { c_->setItemText(i, t); }
    void AddLine(const QString& t) override { c_->addItem(t); }
    void DeleteLine(int i) override { c_->removeItem(i); }

private:
    QComboBox* c_;
};

class TListItems : public TStringListTarget {
public:
    explicit TListItems(QListWidget* l) : l_(l) {}
    int Count() const override { return l_->count(); }
    void SetLine(int i, const QString& t) override { l_->item(i)->setText(t); }
    void AddLine(const QString& t) override { l_->addItem(t); }
    void DeleteLine(int i) override { delete l_->takeItem(i); }

private:
    QListWidget* l_;
};

// The radio buttons of a group box, in child order (a radio group's items).
class TRadioItems : public TStringListTarget {
public:
    explicit TRadioItems(QGroupBox* g) : g_(g) {}
    int Count() const override { return static_cast<int>(Buttons().size()); }
    void SetLine(int i, const QString& t) override { Buttons()[i]->setText(t); }
    void AddLine(const QString& t) override
    {
        auto* b = new QRadioButton(t, g_);
        if (g_->layout())
            g_->layout()->addWidget(b);
    }
    void DeleteLine(int i) override { delete Buttons()[i]; }

private:
    QList<QRadioButton*> Buttons() const { return g_->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly); }
    QGroupBox* g_;
};

// A tab widget's captions. Its pages are components of their own, so a
// shorter list leaves the surplus pages alone and a longer one adds none.
class TTabWidgetTabs : public TStringListTarget {
public:
    explicit TTabWidgetTabs(QTabWidget* t) : t_(t) {}
    int Count() const override { return t_->count(); }
    void SetLine(int i, const QString& t) override { t_->setTabText(i, t); }
    void AddLine(const QString&) override {}
    void DeleteLine(int) override {}
    void SetLines(const QStringList& lines) override
    {
        for (int i = 0; i < lines.size() && i < t_->count(); ++i)
            t_->setTabText(i, lines[i]);
    }

private:
    QTabWidget* t_;
};

class TTabBarTabs : public TStringListTarget {
public:
    explicit TTabBarTabs(QTabBar* t) : t_(t) {}
    int Count() const override { return t_->count(); }
    void SetLine(int i, const QString& t) override { t_->setTabText(i, t); }
    void AddLine(const QString& t) override { t_->addTab(t); }
    void DeleteLine(int i) override { t_->removeTab(i); }

private:
    QTabBar* t_;
};

// Lines of a text editor or of a string-list Qt property: the whole text
// is read, changed and written back.
class TWholeTextLines : public TStringListTarget {
public:
    using Reader = std::function<QStringList()>;
    using Writer = std::function<void(const QStringList&)>;
    TWholeTextLines(Reader r, Writer w) : read_(std::move(r)), write_(std::move(w)) {}
    int Count() const override { return static_cast<int>(read_().size()); }
    void SetLine(int i, const QString& t) override { Change([&](QStringList& l) { l[i] = t; }); }
    void AddLine(const QString& t) override { Change([&](QStringList& l) { l.append(t); }); }
    void DeleteLine(int i) override { Change([&](QStringList& l) { l.removeAt(i); }); }

private:
    template <class F>
    void Change(F f)
    {
        QStringList l = read_();
        f(l);
        write_(l);
    }
    Reader read_;
    Writer write_;
};

std::unique_ptr<TStringListTarget> EditorLines(QObject* o)
{
    auto split = [](const QString& s) { return s.isEmpty() ? QStringList() : s.split(QLatin1Char('\n')); };
    if (auto* e = qobject_cast<QPlainTextEdit*>(o))
        return std::make_unique<TWholeTextLines>([e, split] { return split(e->toPlainText()); },
                                                 [e](const QStringList& l) { e->setPlainText(l.join('\n')); });
    if (auto* e = qobject_cast<QTextEdit*>(o))
        return std::make_unique<TWholeTextLines>([e, split] { return split(e->toPlainText()); },
                                                 [e](const QStringList& l) { e->setPlainText(l.join('\n')); });
    return nullptr;
}

// The string list a class-library name stands for on `o`, if any.
std::unique_ptr<TStringListTarget> MappedStrings(QObject* o, const QString& name)
{
    if (Is(name, "Items")) {
        if (auto* c = qobject_cast<QComboBox*>(o))
            return std::make_unique<TComboItems>(c);
        if (auto* l = qobject_cast<QListWidget*>(o))
            return std::make_unique<TListItems>(l);
        if (auto* g = qobject_cast<QGroupBox*>(o))
            return std::make_unique<TRadioItems>(g);
        return EditorLines(o);
    }
    if (Is(name, "Lines"))
        return EditorLines(o);
    if (Is(name, "Tabs")) {
        if (auto* t = qobject_cast<QTabWidget*>(o))
            return std::make_unique<TTabWidgetTabs>(t);
        if (auto* t = qobject_cast<QTabBar*>(o))
            return std::make_unique<TTabBarTabs>(t);
    }
    return nullptr;
}

class TStringsTarget : public TPathTarget {
public:
    explicit TStringsTarget(std::unique_ptr<TStringListTarget> s) : s_(std::move(s)) {}
    std::unique_ptr<TPathTarget> Resolve(const QString&) override { return nullptr; }
    TSetResult Set(const QString&, const QString&) override { return TSetResult::Unknown(); }
    TStringListTarget* AsStringList() override { return s_.get(); }

private:
    std::unique_ptr<TStringListTarget> s_;
};

// ---- columns ------------------------------------------------------------

class TColumn : public TPathTarget {
public:
    TColumn(QAbstractItemView* v, int n) : v_(v), n_(n) {}
    std::unique_ptr<TPathTarget> Resolve(const QString&) override { return nullptr; }
    TSetResult Set(const QString& name, const QString& value) override
    {
        if (!Is(name, "Caption") && !Is(name, "Text"))
            return TSetResult::Unknown();
        if (!v_->model()->setHeaderData(n_, Qt::Horizontal, QtText(value)))
            return TSetResult::Failed(QStringLiteral("The column captions of this list cannot be changed"));
        return TSetResult::Success();
    }

private:
    QAbstractItemView* v_;
    int n_;
};

class TColumns : public TPathTarget {
public:
    explicit TColumns(QAbstractItemView* v) : v_(v) {}
    std::unique_ptr<TPathTarget> Resolve(const QString& name) override
    {
        if (name.size() < 3 || !name.startsWith(QLatin1Char('(')) || !name.endsWith(QLatin1Char(')')))
            return nullptr;
        bool ok = false;
        const int n = name.mid(1, name.size() - 2).toInt(&ok, 10);
        if (!ok || n < 0 || n >= v_->model()->columnCount())
            return nullptr;
        return std::make_unique<TColumn>(v_, n);
    }
    TSetResult Set(const QString&, const QString&) override { return TSetResult::Unknown(); }

private:
    QAbstractItemView* v_;
};

// ---- objects ------------------------------------------------------------

// A tab page's caption or hint lives in its tab widget.
bool SetTabOfPage(QObject* o, const QString& text, bool hint)
{
    auto* page = qobject_cast<QWidget*>(o);
    auto* stack = page ? qobject_cast<QStackedWidget*>(page->parentWidget()) : nullptr;
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    const int index = tabs ? tabs->indexOf(page) : -1;
    if (index < 0)
        return false;
    if (hint)
        tabs->setTabToolTip(index, text);
    else
        tabs->setTabText(index, text);
    return true;
}

// A link label's caption is the visible text of its link: the address
// stays when a language file gives plain text.
QString LabelCaption(const QString& current, const QString& caption)
{
    static const QRegularExpression link(QStringLiteral("^\\s*<a\\s+href=\"([^\"]*)\"\\s*>.*</a>\\s*$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = link.match(current);
    if (!m.hasMatch() || caption.trimmed().startsWith(QLatin1Char('<')))
        return caption;
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(m.captured(1), caption.toHtmlEscaped());
}

// The class-library properties with a Qt counterpart on `o`; nullopt when
// the name means nothing special for this kind of object.
std::optional<TSetResult> SetMapped(QObject* o, const QString& name, const QString& text)
{
    auto* w = qobject_cast<QWidget*>(o);
    const auto ok = TSetResult::Success();
    if (Is(name, "Caption")) {
        if (auto* a = qobject_cast<QAction*>(o))
            return a->setText(text), ok;
        if (auto* m = qobject_cast<QMenu*>(o))
            return m->setTitle(text), ok;
        if (SetTabOfPage(o, text, false))
            return ok;
        if (auto* b = qobject_cast<QAbstractButton*>(o))
            return b->setText(text), ok;
        if (auto* l = qobject_cast<QLabel*>(o))
            return l->setText(LabelCaption(l->text(), text)), ok;
        if (auto* g = qobject_cast<QGroupBox*>(o))
            return g->setTitle(text), ok;
        if (auto* d = qobject_cast<QDockWidget*>(o))
            return d->setWindowTitle(text), ok;
        if (w && w->isWindow())
            return w->setWindowTitle(text), ok;
        return std::nullopt;
    }
    if (Is(name, "Hint")) {
        if (auto* a = qobject_cast<QAction*>(o))
            return a->setToolTip(text), ok;
        if (SetTabOfPage(o, text, true))
            return ok;
        if (w)
            return w->setToolTip(text), ok;
        return std::nullopt;
    }
    if (Is(name, "Text")) {
        if (auto* e = qobject_cast<QLineEdit*>(o))
            return e->setText(text), ok;
        if (auto* c = qobject_cast<QComboBox*>(o))
            return c->setCurrentText(text), ok;
        if (auto* e = qobject_cast<QPlainTextEdit*>(o))
            return e->setPlainText(text), ok;
        if (auto* e = qobject_cast<QTextEdit*>(o))
            return e->setPlainText(text), ok;
        if (auto* l = qobject_cast<QLabel*>(o))
            return l->setText(text), ok;
        if (auto* b = qobject_cast<QAbstractButton*>(o))
            return b->setText(text), ok;
        if (auto* a = qobject_cast<QAction*>(o))
            return a->setText(text), ok;
        return std::nullopt;
    }
    if (Is(name, "Filter")) {
        if (auto* d = qobject_cast<QFileDialog*>(o))
            return d->setNameFilters(QtNameFilters(text)), ok;
        return std::nullopt;
    }
    if (Is(name, "TextHint")) {
        if (auto* e = qobject_cast<QLineEdit*>(o))
            return e->setPlaceholderText(text), ok;
        return std::nullopt;
    }
    return std::nullopt;
}

// The Qt property named `name` (letter case ignored); the most derived
// class's wins. With `ownOnly`, only properties our own classes declare
// (those of classes whose names do not begin with "Q").
QMetaProperty FindProperty(const QObject* o, const QString& name, bool ownOnly = false)
{
    const QMetaObject* mo = o->metaObject();
    int first = 0;
    if (ownOnly) {
        const QMetaObject* m = mo;
        while (m && m->className()[0] != 'Q')
            m = m->superClass();
        first = m ? m->propertyCount() : 0;
    }
    for (int i = mo->propertyCount() - 1; i >= first; --i) {
        const QMetaProperty p = mo->property(i);
        if (QString::fromLatin1(p.name()).compare(name, Qt::CaseInsensitive) == 0)
            return p;
    }
    return {};
}

TSetResult WriteAsText(QObject* o, const QMetaProperty& p, const QString& text)
{
    const auto invalid = [&] {
        return TSetResult::Failed(QStringLiteral("Invalid property value \"%1\"").arg(text));
    };
    if (!p.isWritable())
        return TSetResult::Failed(QStringLiteral("Property \"%1\" is read-only").arg(QLatin1String(p.name())));
    QVariant v;
    if (p.isEnumType()) {
        const QMetaEnum e = p.enumerator();
        bool ok = false;
        const QByteArray key = text.trimmed().toLatin1();
        int n = e.isFlag() ? e.keysToValue(key.constData(), &ok) : e.keyToValue(key.constData(), &ok);
        if (!ok)
            n = text.trimmed().toInt(&ok);
        if (!ok)
            return invalid();
        v = n;
    } else if (p.metaType().id() == QMetaType::Bool) {
        const QString t = text.trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("1"))
            v = true;
        else if (t == QLatin1String("false") || t == QLatin1String("0"))
            v = false;
        else
            return invalid();
    } else if (p.metaType().id() == QMetaType::QString) {
        v = QtText(text);
    } else if (p.metaType().id() == QMetaType::QStringList) {
        v = ValueLines(text);
    } else {
        v = QtText(text);
        if (!v.convert(p.metaType()))
            return invalid();
    }
    if (!p.write(o, v))
        return invalid();
    return TSetResult::Success();
}

class TObjectTarget : public TPathTarget {
public:
    explicit TObjectTarget(QObject* o) : o_(o) {}

    // A property our own class declares comes first, then the class-library
    // names, then the Qt library's properties.
    std::unique_ptr<TPathTarget> Resolve(const QString& name) override
    {
        if (const QMetaProperty own = FindProperty(o_, name, true); own.isValid())
            return ResolveProperty(own);
        if (auto s = MappedStrings(o_, name))
            return std::make_unique<TStringsTarget>(std::move(s));
        if (Is(name, "Columns"))
            if (auto* v = qobject_cast<QAbstractItemView*>(o_); v && v->model())
                return std::make_unique<TColumns>(v);
        const QMetaProperty p = FindProperty(o_, name);
        if (!p.isValid())
            return nullptr;
        return ResolveProperty(p);
    }

    TSetResult Set(const QString& name, const QString& value) override
    {
        if (const QMetaProperty own = FindProperty(o_, name, true); own.isValid())
            return WriteAsText(o_, own, value);
        if (auto r = SetMapped(o_, name, QtText(value)))
            return *r;
        if (auto s = MappedStrings(o_, name)) {
            s->SetLines(ValueLines(value));
            return TSetResult::Success();
        }
        const QMetaProperty p = FindProperty(o_, name);
        if (!p.isValid())
            return TSetResult::Unknown();
        return WriteAsText(o_, p, value);
    }

private:
    std::unique_ptr<TPathTarget> ResolveProperty(const QMetaProperty& p)
    {
        if (p.metaType().flags() & QMetaType::PointerToQObject) {
            if (QObject* child = p.read(o_).value<QObject*>())
                return std::make_unique<TObjectTarget>(child);
            return nullptr;
        }
        if (p.metaType().id() == QMetaType::QStringList && p.isWritable()) {
            QObject* o = o_;
            return std::make_unique<TStringsTarget>(std::make_unique<TWholeTextLines>(
                [o, p] { return p.read(o).toStringList(); }, [o, p](const QStringList& l) { p.write(o, l); }));
        }
        return nullptr;
    }

    QObject* o_;
};

}  // namespace

std::unique_ptr<TPathTarget> TargetOf(QObject* object) { return std::make_unique<TObjectTarget>(object); }
