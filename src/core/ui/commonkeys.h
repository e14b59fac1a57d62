#pragma once

class QWidget;

// The keys that mean the same in every window: Ctrl+S saves the document, Ctrl+P prints it,
// Ctrl+F goes to the search box, F5 searches again, F3 picks the counterpart. A window names the
// control a key works on; the window base class owns the shortcuts. A button is clicked, a search
// box takes the focus (Ctrl+F) or is searched again as by Enter (F5). Hidden or disabled controls
// are passed over, and a key whose control is missing does nothing.
enum class CommonKey { Save, Print, FindBox, Search, PickCounterpart };

// One control may take several keys (a search box: Ctrl+F and F5).
void setCommonKey(QWidget& control, CommonKey key);

// Works the key in the window, as its shortcut does; false when no control takes it.
bool triggerCommonKey(QWidget& window, CommonKey key);

// Makes the window's shortcuts for the common keys.
void installCommonKeys(QWidget& window);
