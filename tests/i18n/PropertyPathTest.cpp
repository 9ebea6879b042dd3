#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "i18n/gui/ClassLibraryProperties.h"
#include "i18n/gui/Frame.h"
#include "i18n/gui/PropertyPath.h"

namespace {

class TPathFrame : public TFrame {
    Q_OBJECT
public:
    explicit TPathFrame(QWidget* parent) : TFrame(parent)
    {
        setObjectName("frame1");
        button = new QPushButton("Кнопка", this);
        button->setObjectName("btnInFrame");
    }
    QPushButton* button;
};

// A component of our own that declares class-library properties itself.
class TOwnWidget : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER caption)
    Q_PROPERTY(QStringList Items MEMBER items)
    Q_PROPERTY(QObject* Inner MEMBER inner)
public:
    using QLabel::QLabel;
    QString caption;
    QStringList items;
    QObject* inner = nullptr;
};

// A small form with one component of every kind the class-library names
// reach.
struct Form {
    QDialog dialog;
    QWidget* panel = new QWidget(&dialog);
    QPushButton* button = new QPushButton("Открыть", panel);
    QLabel* label = new QLabel("Метка", &dialog);
    QCheckBox* check = new QCheckBox("Флажок", &dialog);
    QGroupBox* group = new QGroupBox("Группа", &dialog);
    QLineEdit* edit = new QLineEdit(&dialog);
    QComboBox* combo = new QComboBox(&dialog);
    QListWidget* list = new QListWidget(&dialog);
    QPlainTextEdit* memo = new QPlainTextEdit(&dialog);
    QTabWidget* tabs = new QTabWidget(&dialog);
    QWidget* page = new QWidget;
    QTreeWidget* tree = new QTreeWidget(&dialog);
    QMenu* menu = new QMenu("Меню", &dialog);
    QAction* action = new QAction("Действие", &dialog);
    TPathFrame* frame = new TPathFrame(&dialog);
    QGroupBox* radios = new QGroupBox(&dialog);
    TOwnWidget* own = new TOwnWidget("Своя", &dialog);

    Form()
    {
        own->setObjectName("own");
        own->inner = label;
        dialog.setObjectName("Form1");
        panel->setObjectName("pTop");
        button->setObjectName("btnopen");
        label->setObjectName("lbl");
        check->setObjectName("cbWrap");
        group->setObjectName("gbMode");
        edit->setObjectName("texttofind");
        combo->setObjectName("cbKind");
        combo->addItem("один", 1);
        combo->addItem("два", 2);
        list->setObjectName("lbFiles");
        list->addItems({"a", "b", "c"});
        memo->setObjectName("memo");
        tabs->setObjectName("pages");
        page->setObjectName("tsGeneral");
        tabs->addTab(page, "Общие");
        tabs->addTab(new QWidget, "Другие");
        tree->setObjectName("listview");
        tree->setHeaderLabels({"Имя", "Размер"});
        menu->setObjectName("options");
        action->setObjectName("N8");
        menu->addAction(action);
        radios->setObjectName("rgMode");
        auto* layout = new QVBoxLayout(radios);
        for (const char* t : {"x", "y"})
            layout->addWidget(new QRadioButton(t, radios));
    }
    TSetResult Set(const QString& path, const QString& value) { return SetPropertyByPath(&dialog, path, value); }
};

QStringList ComboTexts(const QComboBox* c)
{
    QStringList l;
    for (int i = 0; i < c->count(); ++i)
        l << c->itemText(i);
    return l;
}

}  // namespace

TEST(SetPropertyByPath, ClassLibraryNamesReachQtProperties)
{
    Form f;
    struct Case {
        const char* path;
        std::function<QString()> read;
    } cases[] = {
        {"Caption", [&] { return f.dialog.windowTitle(); }},
        {"BTNOPEN.Caption", [&] { return f.button->text(); }},
        {"btnopen.Hint", [&] { return f.button->toolTip(); }},
        {"lbl.Caption", [&] { return f.label->text(); }},
        {"cbWrap.Caption", [&] { return f.check->text(); }},
        {"gbMode.Caption", [&] { return f.group->title(); }},
        {"texttofind.Text", [&] { return f.edit->text(); }},
        {"texttofind.TextHint", [&] { return f.edit->placeholderText(); }},
        {"memo.Text", [&] { return f.memo->toPlainText(); }},
        {"tsGeneral.Caption", [&] { return f.tabs->tabText(0); }},
        {"tsGeneral.Hint", [&] { return f.tabs->tabToolTip(0); }},
        {"options.Caption", [&] { return f.menu->title(); }},
        {"N8.Caption", [&] { return f.action->text(); }},
        {"N8.Hint", [&] { return f.action->toolTip(); }},
        {"listview.Columns.(1).Caption", [&] { return f.tree->headerItem()->text(1); }},
        {"frame1.btnInFrame.Caption", [&] { return f.frame->button->text(); }},
        // Declared by our own class: before the mapping for QLabel.
        {"own.caption", [&] { return f.own->caption; }},
        {"own.Inner.Caption", [&] { return f.label->text(); }},
        // Not a class-library name: the Qt property of that name.
        {"lbl.whatsThis", [&] { return f.label->whatsThis(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const TSetResult r = f.Set(c.path, "Value");
        EXPECT_TRUE(r.Ok) << r.Error.toStdString();
        EXPECT_EQ(c.read(), "Value");
    }
}

// A dialog's Filter in the class library's form becomes Qt's name filters.
TEST(SetPropertyByPath, FileDialogFiltersInQtsForm)
{
    const struct {
        const char* filter;
        QStringList expected;
    } cases[] = {
        {"All files|*.*", {"All files (*)"}},
        {"Text|*.txt;*.log|All|*.*", {"Text (*.txt *.log)", "All (*)"}},
        {"Pictures|*.png; *.jpg|", {"Pictures (*.png *.jpg)"}},
        {"Anything", {"Anything (*)"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QtNameFilters(QString::fromUtf8(c.filter)), c.expected) << c.filter;

    QWidget form;
    auto* dialog = new QFileDialog(&form);
    dialog->setObjectName("copydlg");
    const TSetResult r = SetPropertyByPath(&form, "copydlg.Filter", "Все файлы|*.*");
    EXPECT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(dialog->nameFilters(), QStringList{"Все файлы (*)"});
}

TEST(SetPropertyByPath, ValuesBreakLinesAtCarriageReturn)
{
    Form f;
    ASSERT_TRUE(f.Set("lbl.Caption", "a\rb").Ok);
    EXPECT_EQ(f.label->text(), "a\nb");
    ASSERT_TRUE(f.Set("memo.Lines.Strings", "one\r\ntwo\rthree").Ok);
    EXPECT_EQ(f.memo->toPlainText(), "one\ntwo\nthree");
}

TEST(SetPropertyByPath, LinkLabelKeepsItsAddress)
{
    Form f;
    f.label->setText("<a href=\"https://example.org/x?a=1\">Скачать</a>");
    ASSERT_TRUE(f.Set("lbl.Caption", "Download & more").Ok);
    EXPECT_EQ(f.label->text(), "<a href=\"https://example.org/x?a=1\">Download &amp; more</a>");
    // Markup in the value replaces the whole text.
    ASSERT_TRUE(f.Set("lbl.Caption", "<b>bold</b>").Ok);
    EXPECT_EQ(f.label->text(), "<b>bold</b>");
}

TEST(SetPropertyByPath, StringListsAreSetLineByLine)
{
    Form f;
    // Overwriting keeps each item's data; a longer list adds items.
    ASSERT_TRUE(f.Set("cbKind.Items.Strings", "one\rtwo\rthree").Ok);
    EXPECT_EQ(ComboTexts(f.combo), (QStringList{"one", "two", "three"}));
    EXPECT_EQ(f.combo->itemData(1).toInt(), 2);
    // A shorter one deletes the surplus; "Items" as the last name works too.
    ASSERT_TRUE(f.Set("lbFiles.Items", "x").Ok);
    ASSERT_EQ(f.list->count(), 1);
    EXPECT_EQ(f.list->item(0)->text(), "x");
    ASSERT_TRUE(f.Set("rgMode.Items.Strings", "first\rsecond\rthird").Ok);
    const auto radios = f.radios->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 3);
    EXPECT_EQ(radios[2]->text(), "third");
    ASSERT_TRUE(f.Set("own.Items.Strings", "p\rq").Ok);
    EXPECT_EQ(f.own->items, (QStringList{"p", "q"}));
    EXPECT_EQ(f.own->text(), "Своя");
    // A tab widget's pages belong to the form: only their captions change.
    ASSERT_TRUE(f.Set("pages.Tabs.Strings", "General").Ok);
    EXPECT_EQ(f.tabs->count(), 2);
    EXPECT_EQ(f.tabs->tabText(0), "General");
    EXPECT_EQ(f.tabs->tabText(1), "Другие");
}

TEST(SetPropertyByPath, TypedQtProperties)
{
    Form f;
    EXPECT_TRUE(f.Set("btnopen.enabled", "False").Ok);
    EXPECT_FALSE(f.button->isEnabled());
    EXPECT_TRUE(f.Set("lbl.textFormat", "PlainText").Ok);
    EXPECT_EQ(f.label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(f.Set("texttofind.maxLength", "12").Ok);
    EXPECT_EQ(f.edit->maxLength(), 12);

    const TSetResult bad = f.Set("texttofind.maxLength", "many");
    EXPECT_FALSE(bad.Ok);
    EXPECT_EQ(bad.Error, "Invalid property value \"many\"");
    EXPECT_EQ(f.Set("lbFiles.count", "2").Error, "Property \"count\" is read-only");
}

TEST(SetPropertyByPath, NamesThatResolveToNothingFail)
{
    Form f;
    for (const char* path : {"btnopen.Colour", "nosuch.Caption", "listview.Columns.(5).Caption",
                             "listview.Columns.x.Caption", "btnopen..Caption", "btnopen.Font.Charset"}) {
        SCOPED_TRACE(path);
        const TSetResult r = f.Set(path, "v");
        EXPECT_FALSE(r.Ok);
        EXPECT_TRUE(r.Error.isEmpty());
    }
    EXPECT_EQ(f.button->text(), "Открыть");
}

TEST(SetPropertyByPath, UnresolvedNameIsLookedUpFromTheFrameRoot)
{
    Form f;
    // The label is not inside the panel: the walk goes back to the form.
    EXPECT_TRUE(f.Set("pTop.lbl.Caption", "Found").Ok);
    EXPECT_EQ(f.label->text(), "Found");
    // Inside a frame the frame is the root: a form component is not found.
    EXPECT_FALSE(f.Set("frame1.lbl.Caption", "x").Ok);
    // Components of a frame are the frame's, not the form's.
    EXPECT_EQ(FindOwnedComponent(&f.dialog, "btnInFrame"), nullptr);
    EXPECT_EQ(FindOwnedComponent(f.frame, "btninframe"), f.frame->button);
}

#include "PropertyPathTest.moc"
