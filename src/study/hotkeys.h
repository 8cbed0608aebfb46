#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>

class Memora_HotkeysModel;

// The hotkey catalogues and the user's keys.
//
// The defaults ship as two GB18030 resources, one action a line ("name|default|description"):
// ":/Setting/Resources/hotkeys.key" (advanced set) and ":/Setting/Resources/hotkeys_nor.key"
// (simple set). The user's keys live in the settings groups "HotkeysAdv" and "HotkeysSim":
// an absent value means the default, an empty value means no key.

// A row's hotkey state.
enum HotkeyState
{
    HOTKEY_NONE = 0,
    HOTKEY_DEFAULT = 1,
    HOTKEY_CUSTOM = 2
};

// The four parallel lists of a hotkey set, one entry per catalogue line.
struct HotkeyLists
{
    QStringList names;
    QStringList keys;
    QStringList descriptions;
    QList<int> states;
};

// The set with the user's keys (from the global settings) and their states.
HotkeyLists loadHotkeysAdv();
HotkeyLists loadHotkeysSim();
// The set with every key at its default and every state HOTKEY_DEFAULT.
HotkeyLists loadDefaultHotkeysAdv();
HotkeyLists loadDefaultHotkeysSim();
// The catalogue default of an action; empty when the action is not in the set.
QString defaultHotkeyAdv(const QString &name);
QString defaultHotkeySim(const QString &name);
// Writes every row of the model into "HotkeysSim" (simple) or "HotkeysAdv".
void saveHotkeys(const Memora_HotkeysModel *model, bool simple);

namespace Hotkeys {

// "Advanced/SysMode" read now: true for the advanced mode (1).
bool advancedMode();
// The key text of an action in the current mode: the stored value, else the catalogue
// default of that mode's set.
QString keyText(const QString &name);
// The key sequence of a key text; empty for an empty or unparsable text.
QKeySequence sequence(const QString &text);

} // namespace Hotkeys
