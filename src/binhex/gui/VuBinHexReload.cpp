// Auto-reload: while a file is shown with AutoReload on, the view's watcher
// reports changes to it and the view re-reads it, keeping its place or
// following the end, or empties itself when the file is gone.
//
// A file that disappears is given kReappearMs to come back before the view
// empties: editors that save by deleting the file and writing it anew would
// otherwise leave the view empty and unwatched just before the new file
// arrives. Meanwhile the old content stays on screen (the open file can
// still be read) and the watcher keeps watching the name.
#include "binhex/gui/VuBinHex.h"

#include "text/core/VuxFProc.h"

#include <QApplication>

void TVuBinHex::SetAutoReload(bool on)
{
    if (on == autoReload_)
        return;
    autoReload_ = on;
    if (model_.SourceKind() == vsrcFile)
        WatchCurrentFile(false);
}

void TVuBinHex::WatchCurrentFile(bool newFile)
{
    if (!autoReload_ || model_.SourceKind() != vsrcFile) {
        StopWatching();
        return;
    }
    const QString name = FileName();
    if (newFile || notification_.FileName() != name) {
        StopWatching();
        notification_.SetFileName(name);
    }
    notification_.StartWatching();
}

void TVuBinHex::StopWatching()
{
    notification_.StopWatching();
    reappearTimer_.stop();
    changePending_ = false;
}

void TVuBinHex::HandleFileChange(bool deadline)
{
    // Re-reading in the middle of a drawing (a message box of a failed read
    // lets events through) would pull the source from under it: the change
    // waits until the drawing is done.
    if (IsDrawing()) {
        changePending_ = true;
        return;
    }
    if (!notification_.Watching() || model_.FileName().empty())
        return;  // stopped since the change was queued
    const std::string name = model_.FileName();
    const bool exists = RegularFileExists(name);
    if (!exists && !deadline) {
        if (!reappearTimer_.isActive())
            reappearTimer_.start();
        return;
    }
    reappearTimer_.stop();
    {
        TDrawLock lock(*this);
        if (exists) {
            model_.ReloadFile(autoReloadFollowTail_);
            SourceChanged();
            Redraw();
            if (model_.HasSource()) {
                model_.SetHorzScrollPos(model_.Memo().horzScrollPos);
                Redraw();
            }
        } else {
            StopWatching();
            model_.ClearFileName();
            model_.CloseSource();
            SourceChanged();
            Redraw();
        }
        if (autoReloadBeep_)
            QApplication::beep();
    }
    emit OnFileReload();
}
