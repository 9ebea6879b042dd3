// The viewer family's message texts and the error box that shows them.
//
// The texts are process-wide variables so the localizer can replace them
// from a language file. Plain code reports through ViewerMessage; the GUI
// installs a handler that shows a message box captioned
// ViewerMessages.Caption with an error icon (text/gui). Without a handler
// the message goes to standard error, which is what tests and tools see.
#pragma once

#include <functional>
#include <string>

struct TVuViewerMessages {
    std::u16string Caption = u"Viewer";
    std::u16string FileNotFound = u"File not found: %s";
    std::u16string CannotOpenFile = u"Cannot open file: %s";
    std::u16string CannotLoadFile = u"Cannot load file: %s";
    std::u16string CannotReadFile = u"Cannot read file: %s";
    std::u16string CannotReadStream = u"Cannot read stream";
    std::u16string ReadErrorAtOffset = u"Read error at offset %s";
    std::u16string UnknownImageFormat = u"Unknown image format";
    std::u16string UnknownMediaFormat = u"Unknown multimedia format";
    std::u16string CannotInitialize = u"Cannot initialize %s";
    std::u16string CannotCopyToClipboard = u"Cannot copy data to Clipboard";
    std::u16string PluginException = u"Exception in plugin %s in function %s";
    std::u16string PluginsNoParent = u"Cannot load plugins: parent form not specified";
};

// The texts in use. Only the user-interface thread changes them.
extern TVuViewerMessages ViewerMessages;

// Receives (text, caption) of every ViewerMessage.
using TVuMessageHandler = std::function<void(const std::u16string& text, const std::u16string& caption)>;

// Installs the handler; an empty one restores the standard-error default.
void SetViewerMessageHandler(TVuMessageHandler handler);

// Reports `text` to the user under the caption ViewerMessages.Caption.
void ViewerMessage(const std::u16string& text);
