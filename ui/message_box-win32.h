// The Win32 window's message boxes, the completion box among them: a dialog
// of its own rather than Windows' MessageBox, which can hold neither Copy
// nor "Use it in MAME", breaks a long path inside and cuts a title longer
// than its text ("File ... Error"). The text keeps its lines as given, one
// fact a line, never broken: the box is as wide as its longest line and its
// title, and scrolls where the monitor is narrower. Copy and Ctrl+C copy
// the whole text (Ctrl+C the selection, when the mouse has selected some);
// Enter presses the button with the focus (OK at first), Escape and the
// close button are OK. Laid out for 96 DPI, scaled to the monitor's, again
// when it moves to a monitor of another scale.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <initializer_list>
#include <string>

namespace brantel {

enum class BoxIcon { kNone, kInformation, kWarning, kStop };

// Modal over `owner`. With `offer_use_in_mame` the box also has the button
// "Use it in MAME"; returns true when the user pressed that one. A box
// Windows refuses to make falls back to Windows' MessageBox, without the
// offer.
bool ShowMessageDialog(HWND owner, const std::wstring& title, const std::wstring& text, BoxIcon icon,
                       bool offer_use_in_mame = false);

// The default button follows the focus, as in Windows' own dialogs: the push
// button that has the focus is the default (Enter presses it), and while
// none has, `default_button` is.
void MarkDefaultButton(HWND default_button, std::initializer_list<HWND> push_buttons);

}  // namespace brantel
