// The viewer's calls on the text view's selection, clipboard, input and
// auto-reload features, gathered in one place.
//
// The text view gains these features in steps; each call below forwards to
// the text view's own operation when the view offers it (checked when the
// viewer is compiled) and otherwise does the least that keeps the viewer
// correct: the selection is kept by the view's model, and an operation the
// view does not have yet does nothing. Once every feature is there each
// function is a plain forward and this file can fold into the viewer.
#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "binhex/gui/VuBinHex.h"
#include "search/core/VuStreamSearch.h"

namespace VuTextViewCalls {

inline QString ToQString(const QString& s) { return s; }
inline QString ToQString(const std::u16string& s) { return QString::fromStdU16String(s); }
inline std::string ToBytes(const std::string& s) { return s; }
inline std::string ToBytes(const QByteArray& s) { return s.toStdString(); }

// The selected text as ANSI bytes (not in the Unicode modes).
template <class V>
std::string SelText(V& view)
{
    if constexpr (requires { view.SelText(); })
        return ToBytes(view.SelText());
    else
        return {};
}

// The selected text of the Unicode modes.
template <class V>
QString SelTextW(V& view)
{
    if constexpr (requires { view.SelTextW(); })
        return ToQString(view.SelTextW());
    else
        return {};
}

// Drops the selection, raising the view's selection event when `notify`.
template <class V>
void SelectNone(V& view, bool notify)
{
    if constexpr (requires { view.SelectNone(notify); }) {
        view.SelectNone(notify);
    } else {
        if (view.Model().SetSelection(0, 0))
            view.Redraw();
    }
}

// Selects `length` bytes from `start`, scrolling them into view when asked.
template <class V>
void SetSelection(V& view, int64_t start, int64_t length, bool scroll, bool notify)
{
    if constexpr (requires { view.SetSelection(start, length, scroll, notify); }) {
        view.SetSelection(start, length, scroll, notify);
    } else {
        if (view.Model().SetSelection(start, length) && scroll)
            view.ScrollTo(start, false);
        view.Redraw();
    }
}

// Copies the selection as text (false) or hex (true).
template <class V>
void CopyToClipboard(V& view, bool asHex)
{
    if constexpr (requires { view.CopyToClipboard(asHex); })
        view.CopyToClipboard(asHex);
}

template <class V>
void ShowEncodingMenu(V& view, int x, int y)
{
    if constexpr (requires { view.ShowEncodingMenu(x, y); })
        view.ShowEncodingMenu(x, y);
}

// One font size step; false when the size did not change.
template <class V>
bool ChangeFontSize(V& view, bool grow)
{
    if constexpr (requires { view.ChangeFontSize(grow); })
        return view.ChangeFontSize(grow);
    else
        return false;
}

template <class V>
void SetAutoReload(V& view, bool on, bool beep, bool followTail)
{
    if constexpr (requires { view.SetAutoReload(on); })
        view.SetAutoReload(on);
    if constexpr (requires { view.SetAutoReloadBeep(beep); })
        view.SetAutoReloadBeep(beep);
    if constexpr (requires { view.SetAutoReloadFollowTail(followTail); })
        view.SetAutoReloadFollowTail(followTail);
}

template <class V>
void SetPopupCommands(V& view, unsigned commands)
{
    if constexpr (requires { view.SetTextPopupCommands(TVuPopupCommands(commands)); })
        view.SetTextPopupCommands(TVuPopupCommands(commands));
}

// The progress handler of the view's own search object.
template <class V>
void SetSearchProgress(V& view, const TVuStreamSearchProgress& handler)
{
    if constexpr (requires { view.SetOnSearchProgress(handler); })
        view.SetOnSearchProgress(handler);
    else if constexpr (requires { view.OnSearchProgress = handler; })
        view.OnSearchProgress = handler;
}

// Connects one of the view's notify events (a signal, or a callback member)
// to `handler`. The selector names the event; see the three below.
#define PEEKWELL_TEXTVIEW_EVENT(Function, Event)                                          \
    template <class V, class F>                                                           \
    void Function(V* view, QObject* context, F handler)                                   \
    {                                                                                     \
        if constexpr (requires { QObject::connect(view, &V::Event, context, handler); }) \
            QObject::connect(view, &V::Event, context, handler);                         \
        else if constexpr (requires { view->Event = handler; })                           \
            view->Event = handler;                                                        \
    }

PEEKWELL_TEXTVIEW_EVENT(OnSelectionChange, OnSelectionChange)
PEEKWELL_TEXTVIEW_EVENT(OnOptionsChange, OnOptionsChange)
PEEKWELL_TEXTVIEW_EVENT(OnFileReload, OnFileReload)

#undef PEEKWELL_TEXTVIEW_EVENT

}  // namespace VuTextViewCalls
