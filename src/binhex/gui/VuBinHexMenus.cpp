// The view's context menu and its two encoding menus: the byte-order menu
// of the Unicode modes and the three-column menu of the single-byte
// encodings.
#include "binhex/gui/VuBinHex.h"

#include "binhex/core/VuBinHexMenuRules.h"
#include "binhex/gui/VuColumnMenu.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QTimer>

namespace {

QString EncodingCaption(TVuEncoding enc) { return QString::fromStdString(EncodingName(enc)); }

}  // namespace

// --- Context menu -------------------------------------------------------------

void TVuBinHex::CreateContextMenu()
{
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("popupmenu"));
    // Hidden commands must not take their separators with them.
    popup_->setSeparatorsCollapsible(false);
    popupCopy_ = popup_->addAction(QStringLiteral("Copy"), this, [this] { CopyToClipboard(false); });
    popupCopyHex_ = popup_->addAction(QStringLiteral("Copy as hex"), this, [this] { CopyToClipboard(true); });
    popup_->addSeparator();
    popupSelectLine_ = popup_->addAction(QStringLiteral("Select line"), this, [this] { SelectLineAtMenuPoint(); });
    popupSelectAll_ = popup_->addAction(QStringLiteral("Select all"), this, [this] { SelectAll(); });
    popup_->addSeparator();
    // The encoding menu waits for its choice: let the context menu finish
    // closing first.
    popupEncoding_ = popup_->addAction(QStringLiteral("Encoding..."), this, [this] {
        QTimer::singleShot(0, this, [this] { ShowEncodingMenuFromPopup(); });
    });
    ApplyPopupCommands();
    RefreshPopupStates();
}

void TVuBinHex::SetTextPopupCommands(TVuPopupCommands commands)
{
    popupCommands_ = TVuPopupCommands(commands & vpCmdsAll);
    ApplyPopupCommands();
}

void TVuBinHex::ApplyPopupCommands()
{
    const auto shows = [this](TVuPopupCommand cmd) { return (popupCommands_ & PopupCommandBit(cmd)) != 0; };
    popupCopy_->setVisible(shows(vpCmdCopy));
    popupCopyHex_->setVisible(shows(vpCmdCopyHex));
    popupSelectLine_->setVisible(shows(vpCmdSelectLine));
    popupSelectAll_->setVisible(shows(vpCmdSelectAll));
    popupEncoding_->setVisible(shows(vpCmdEncMenu));
}

void TVuBinHex::RefreshPopupStates()
{
    if (!popup_)
        return;
    const TVuPopupStates states = PopupStatesOf(model_);
    popupCopy_->setEnabled(states.copy);
    popupCopyHex_->setEnabled(states.copyHex);
    popupSelectLine_->setEnabled(states.selectLine);
    popupSelectAll_->setEnabled(states.selectAll);
    popupEncoding_->setEnabled(states.encMenu);
}

void TVuBinHex::contextMenuEvent(QContextMenuEvent* event)
{
    // "Select line" works on the clicked line; from the keyboard there is
    // none.
    menuPoint_ = event->reason() == QContextMenuEvent::Mouse ? event->pos() : QPoint(-1, -1);
    RefreshPopupStates();
    popup_->popup(event->globalPos());
    event->accept();
}

void TVuBinHex::SelectLineAtMenuPoint()
{
    if (menuPoint_ == QPoint(-1, -1))
        return;
    const int64_t offset = OffsetAtPoint(menuPoint_);
    if (offset >= 0)
        SelectWordOrLine(offset, true);
}

void TVuBinHex::ShowEncodingMenuFromPopup()
{
    const QPoint centre = mapToGlobal(QPoint(width() / 2, height() / 2 - 20));
    ShowEncodingMenu(centre.x(), centre.y());
}

// --- Encoding menus ------------------------------------------------------------

QMenu* TVuBinHex::ByteOrderMenu()
{
    if (byteOrderMenu_)
        return byteOrderMenu_;
    byteOrderMenu_ = new QMenu(this);
    byteOrderMenu_->setObjectName(QStringLiteral("byteordermenu"));
    auto* group = new QActionGroup(byteOrderMenu_);
    // Neither is checked while the byte order is not known yet.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const struct {
        TVuEncoding enc;
        uint8_t order;
    } kOrders[] = {{vEncUnicodeLE, vufLittleEndian}, {vEncUnicodeBE, vufBigEndian}};
    for (const auto& o : kOrders) {
        QAction* action = byteOrderMenu_->addAction(EncodingCaption(o.enc));
        action->setCheckable(true);
        action->setData(int(o.order));
        group->addAction(action);
        const uint8_t order = o.order;
        connect(action, &QAction::triggered, this, [this, order] {
            SetByteOrder(order);
            emit OnOptionsChange();
        });
    }
    return byteOrderMenu_;
}

TVuColumnMenu* TVuBinHex::EncodingMenu()
{
    if (encodingMenu_)
        return encodingMenu_;
    encodingMenu_ = new TVuColumnMenu(this);
    encodingMenu_->setObjectName(QStringLiteral("encodingmenu"));
    auto* group = new QActionGroup(encodingMenu_);
    for (const TVuEncodingMenuEntry& entry : EncodingMenuLayout()) {
        if (entry.kind == TVuEncodingMenuEntry::separator) {
            encodingMenu_->AddSeparator();
        } else if (entry.kind == TVuEncodingMenuEntry::columnBreak) {
            encodingMenu_->AddColumnBreak();
        } else {
            QAction* action = encodingMenu_->AddAction(EncodingCaption(entry.encoding));
            action->setCheckable(true);
            action->setData(int(entry.encoding));
            action->setEnabled(IsEncodingSupported(entry.encoding));
            group->addAction(action);
            const TVuEncoding enc = entry.encoding;
            connect(action, &QAction::triggered, this, [this, enc] {
                SetTextEncoding(enc);
                emit OnOptionsChange();
            });
        }
    }
    return encodingMenu_;
}

void TVuBinHex::ShowEncodingMenu(int x, int y)
{
    if (IsUnicodeMode(model_.Mode())) {
        QMenu* menu = ByteOrderMenu();
        for (QAction* action : menu->actions())
            action->setChecked(action->data().toInt() == model_.ByteOrder());
        menu->exec(QPoint(x - menu->sizeHint().width() / 2, y));
    } else {
        TVuColumnMenu* menu = EncodingMenu();
        for (QAction* action : menu->Items())
            action->setChecked(action->data().toInt() == model_.TextEncoding());
        menu->Exec(QPoint(x, y));
    }
    QCoreApplication::processEvents();
}
