// The one place where the property names of language files (the class
// library's: Caption, Hint, Text, Items, Lines, Tabs, Columns ...) meet the
// properties of Qt's widgets.
//
// A language-file path walks components first (PropertyPath.h), then
// properties. What a property step lands on is a TPathTarget: an object
// (a widget, an action, any QObject) or one of the views the class library
// offers over a widget — a string list (a combo box's items, an editor's
// lines, a tab widget's tab captions), a collection (a list's columns) or
// one item of a collection.
//
//   class-library name   Qt
//   Caption              QAction/QAbstractButton/QLabel text, QMenu/QGroupBox
//                        title, a tab page's tab text, a window's title;
//                        a link label keeps its address, the caption
//                        becomes the link's text
//   Hint                 tool tip (a tab page's tab tool tip)
//   Text                 QLineEdit/QLabel/QAbstractButton/QAction text,
//                        QComboBox edit text, QPlainTextEdit/QTextEdit text
//   TextHint             QLineEdit placeholder text
//   Filter               QFileDialog name filters ("Text|*.txt|All|*.*")
//   Items                QComboBox/QListWidget item texts, the radio buttons
//                        of a QGroupBox (a radio group)
//   Lines                QPlainTextEdit/QTextEdit lines
//   Tabs                 QTabWidget/QTabBar tab texts
//   Columns.(n).Caption  header text of column n of an item view
// A Q_PROPERTY that one of our own classes declares under such a name
// comes before this table; any other name is a Qt property of the object.
// Names are compared without regard to letter case; a value is converted
// to the property's type (enumerations by key); an object-valued property
// can be walked through, a string-list-valued one is a string list.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

// The outcome of setting a property. A failure without a message means
// the property does not exist.
struct TSetResult {
    bool Ok = true;
    QString Error;
    static TSetResult Success() { return {}; }
    static TSetResult Unknown() { return {false, {}}; }
    static TSetResult Failed(QString why) { return {false, std::move(why)}; }
};

// A string list: set line by line, so items keep their data and icons.
class TStringListTarget {
public:
    virtual ~TStringListTarget() = default;
    virtual int Count() const = 0;
    virtual void SetLine(int index, const QString& text) = 0;
    virtual void AddLine(const QString& text) = 0;
    virtual void DeleteLine(int index) = 0;

    // Existing lines are overwritten in order, missing ones added, surplus
    // ones deleted.
    virtual void SetLines(const QStringList& lines);
};

class TPathTarget {
public:
    virtual ~TPathTarget() = default;

    // The target that the property or collection item `name` ("(n)") of
    // this one stands for, or nullptr when there is none.
    virtual std::unique_ptr<TPathTarget> Resolve(const QString& name) = 0;

    // Sets property `name` from `value` (lines separated by CR).
    virtual TSetResult Set(const QString& name, const QString& value) = 0;

    // Non-null when this target is a string list.
    virtual TStringListTarget* AsStringList() { return nullptr; }
};

// The target of an object. `object` must outlive it.
std::unique_ptr<TPathTarget> TargetOf(QObject* object);

// A file dialog filter as the class library writes it — descriptions and
// patterns in turns, separated by "|", several patterns of one entry by
// ";" — as Qt's name filters: "Text files|*.txt;*.log" gives
// "Text files (*.txt *.log)". "*.*" becomes "*" (on Linux a name needs no
// dot); an entry without a pattern stands for all files.
QStringList QtNameFilters(const QString& classLibraryFilter);

// A language-file value's lines: cut at CR (a CR LF counts as one break).
QStringList ValueLines(const QString& value);
