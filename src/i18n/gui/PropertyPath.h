// Setting a property of a form, frame or data module from a language-file
// path such as "btnopen.Hint", "listview.Columns.(0).Caption" or
// "combo.Items.Strings".
//
// Components are the objects a form owns: its descendants in the object
// tree, except what belongs to a frame inside it (the frame owns that) and
// other windows (other forms). Their names are their objectName, compared
// without regard to letter case. The property names are those of
// ClassLibraryProperties.h.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include "i18n/gui/ClassLibraryProperties.h"

// True for frames (TFrame and what derives from it).
bool IsFrame(const QObject* object);

// True for classes of our own (forms, frames, data modules), false for
// the Qt library's (their names begin with "Q").
bool IsDesignedClass(const QMetaObject* meta);

// The first component owned by `owner` whose objectName equals `name`
// ignoring letter case (depth first, in child order), or nullptr.
QObject* FindOwnedComponent(QObject* owner, const QString& name);

// The frames `owner` owns directly (not those inside them).
QList<QObject*> OwnedFrames(QObject* owner);

// Walks `path` from `root` and sets its last property from `value`:
// owned components first (a frame met on the way becomes the root for
// names that cannot be resolved further on), then properties, collection
// items "(n)", and finally the property itself, or the lines of a string
// list cut at CR. A failure carries the reason, or none when the path
// names nothing.
TSetResult SetPropertyByPath(QObject* root, const QString& path, const QString& value);
