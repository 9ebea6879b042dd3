#include "app/gui/OpenWithDialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeDatabase>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/core/ExecCommand.h"

namespace {

QString FromUtf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QIcon EntryIcon(const DesktopEntry& entry)
{
    const QString icon = FromUtf8(entry.icon);
    if (icon.startsWith(QLatin1Char('/')))
        return QIcon(icon);
    return QIcon::fromTheme(icon, QIcon::fromTheme(QStringLiteral("application-x-executable")));
}

}  // namespace

TOpenWithDialog::TOpenWithDialog(const QString& fileName, QWidget* parent) : QDialog(parent), fileName_(fileName)
{
    const std::vector<std::string> dataDirs = DataDirs();
    all_ = InstalledApplications(dataDirs, LocaleLanguages());
    forType_ = ApplicationsFor(all_, MimeTypesOf(fileName), LoadMimeAssociations(ConfigDirs(), dataDirs));
    std::sort(all_.begin(), all_.end(), [](const DesktopEntry& a, const DesktopEntry& b) { return a.name < b.name; });
    Build();
}

TOpenWithDialog::TOpenWithDialog(const QString& fileName, std::vector<DesktopEntry> forType,
                                 std::vector<DesktopEntry> all, QWidget* parent)
    : QDialog(parent), fileName_(fileName), forType_(std::move(forType)), all_(std::move(all))
{
    Build();
}

std::vector<std::string> TOpenWithDialog::MimeTypesOf(const QString& fileName)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(fileName);
    std::vector<std::string> types;
    if (!type.isValid())
        return types;
    types.push_back(type.name().toStdString());
    for (const QString& alias : type.aliases())
        types.push_back(alias.toStdString());
    for (const QString& parent : type.allAncestors())
        types.push_back(parent.toStdString());
    return types;
}

void TOpenWithDialog::Build()
{
    setObjectName(QStringLiteral("OpenWithDialog"));
    setWindowTitle(QStringLiteral("Открыть с помощью"));
    resize(420, 460);

    lblprompt = new QLabel(QStringLiteral("Выберите программу, которой открыть файл:"), this);
    lblprompt->setObjectName(QStringLiteral("lblprompt"));
    lblfile = new QLabel(QFileInfo(fileName_).fileName(), this);
    lblfile->setObjectName(QStringLiteral("lblfile"));
    QFont bold = lblfile->font();
    bold.setBold(true);
    lblfile->setFont(bold);
    applist = new QListWidget(this);
    applist->setObjectName(QStringLiteral("applist"));
    applist->setIconSize(QSize(24, 24));
    cbshowall = new QCheckBox(QStringLiteral("Показать все программы"), this);
    cbshowall->setObjectName(QStringLiteral("cbshowall"));
    lblcommand = new QLabel(QStringLiteral("Другая команда (%f — файл):"), this);
    lblcommand->setObjectName(QStringLiteral("lblcommand"));
    edcommand = new QLineEdit(this);
    edcommand->setObjectName(QStringLiteral("edcommand"));
    btnok = new QPushButton(QStringLiteral("ОК"), this);
    btnok->setObjectName(QStringLiteral("btnok"));
    btnok->setDefault(true);
    btncancel = new QPushButton(QStringLiteral("Отмена"), this);
    btncancel->setObjectName(QStringLiteral("btncancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnok);
    buttons->addWidget(btncancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblprompt);
    layout->addWidget(lblfile);
    layout->addWidget(applist, 1);
    layout->addWidget(cbshowall);
    layout->addWidget(lblcommand);
    layout->addWidget(edcommand);
    layout->addLayout(buttons);

    connect(cbshowall, &QCheckBox::toggled, this, [this] { FillList(); });
    connect(applist, &QListWidget::currentRowChanged, this, [this] { UpdateOk(); });
    connect(applist, &QListWidget::itemActivated, this, [this] {
        edcommand->clear();
        if (!Command().isEmpty())
            accept();
    });
    connect(edcommand, &QLineEdit::textChanged, this, [this] { UpdateOk(); });
    connect(btnok, &QPushButton::clicked, this, &QDialog::accept);
    connect(btncancel, &QPushButton::clicked, this, &QDialog::reject);

    // With no program for the type, every program is offered at once.
    cbshowall->setChecked(forType_.empty());
    FillList();
}

void TOpenWithDialog::FillList()
{
    applist->clear();
    const std::vector<DesktopEntry>& shown = cbshowall->isChecked() ? all_ : forType_;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (cbshowall->isChecked() && shown[i].noDisplay)
            continue;
        auto* item = new QListWidgetItem(EntryIcon(shown[i]), FromUtf8(shown[i].name), applist);
        item->setData(Qt::UserRole, int(i));
        item->setToolTip(FromUtf8(shown[i].exec));
    }
    if (applist->count() > 0)
        applist->setCurrentRow(0);
    UpdateOk();
}

const DesktopEntry* TOpenWithDialog::Chosen() const
{
    const QListWidgetItem* item = applist->currentItem();
    if (!item)
        return nullptr;
    const std::vector<DesktopEntry>& shown = cbshowall->isChecked() ? all_ : forType_;
    const int index = item->data(Qt::UserRole).toInt();
    return index >= 0 && size_t(index) < shown.size() ? &shown[size_t(index)] : nullptr;
}

void TOpenWithDialog::UpdateOk()
{
    btnok->setEnabled(!Command().isEmpty());
}

QStringList TOpenWithDialog::Command() const
{
    ExecContext context;
    context.file = fileName_.toStdString();
    std::vector<std::string> argv;
    const QString typed = edcommand->text().trimmed();
    bool terminal = false;
    if (!typed.isEmpty()) {
        if (!ExpandExec(typed.toStdString(), context, argv))
            return {};
    } else if (const DesktopEntry* entry = Chosen()) {
        context.name = entry->name;
        context.icon = entry->icon;
        context.entryPath = entry->path;
        if (!ExpandExec(entry->exec, context, argv))
            return {};
        terminal = entry->terminal;
    } else {
        return {};
    }
    QStringList command;
    if (terminal)
        command << QStringLiteral("x-terminal-emulator") << QStringLiteral("-e");
    for (const std::string& arg : argv)
        command << FromUtf8(arg);
    return command;
}
