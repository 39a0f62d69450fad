// What the window tells accessibility clients (screen readers) beyond what
// its standard controls tell by themselves: a name for a control that has no
// label in front of it, and a label whose changes are read out.
//
// Both work through Active Accessibility alone, which Windows and Wine
// share: a control answers WM_GETOBJECT with its standard object under
// another name, and a changed label raises its events with NotifyWinEvent.
// COM and the accessibility libraries are loaded, and COM set up on the
// calling thread, by the first call that needs them (answering WM_GETOBJECT,
// marking a live region): the window calls them once a client shows itself.
// Marking the label a polite live region is a UI Automation property, which
// Active Accessibility cannot carry; it is set by dynamic annotation, which
// Windows' UI Automation reads for Win32 controls, and which Wine answers
// with E_NOTIMPL.
#pragma once

#include <windows.h>

#include <string_view>

namespace velmora {

// The answer to WM_GETOBJECT for `control`: for its client object, the
// standard object of the control with `name` as its name and everything
// else (role, value, state, children, keyboard) the standard object's own.
// 0 for any other object, or when the object cannot be made: the message
// then takes its default course. The object keeps a copy of `name`: a
// client may hold it after the control is gone.
LRESULT AnswerGetObjectWithName(HWND control, WPARAM wp, LPARAM lp, std::wstring_view name);

// Marks the control a polite live region: a screen reader reads its new
// text once it has finished what it is saying. Unmark it before it is
// destroyed.
void MarkPoliteLiveRegion(HWND control);
void UnmarkLiveRegion(HWND control);

// Whether a screen reader has told the system that it runs.
bool ScreenReaderRunning();

// Tells accessibility clients that the control's text has changed: a name
// change and a live-region change of its client object. Costs nothing when
// no client listens.
void NotifyTextChanged(HWND control);

}  // namespace velmora
