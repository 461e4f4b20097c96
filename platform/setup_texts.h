// The ids of SendlarkSetup's texts in its string tables, where each text stands in English and in
// Japanese (platform/win32/resources/SendlarkSetup.rc). "%1", "%2", ... stand for the values put
// in. Plain macros, as the resource script includes them too.
#pragma once

// The window. Captions carry the "&" of their access key; the columns' titles follow each
// other in the columns' order.
#define IDS_TITLE 100
#define IDS_COLUMN_TITLE 101
#define IDS_COLUMN_CLASS 102
#define IDS_COLUMN_PROGRAM 103
#define IDS_COLUMN_PASTE 104
#define IDS_COLUMN_WINDOW 105
#define IDS_PASTE_LABEL 106
#define IDS_REFRESH 107
#define IDS_SEND 108
#define IDS_SAVE 109

// The list: the status line once the windows are listed (%1 how many), the paste column (its
// two notes come after the id), and the status line once one is chosen (%1 its title, %2 the
// paste command's id).
#define IDS_LISTED 110
#define IDS_PASTE_BY_SHORTCUT 111
#define IDS_PASTE_FROM_FILE 112
#define IDS_PASTE_NONE 113
#define IDS_STATUS_PASTE 114
#define IDS_STATUS_PASTE_BY_SHORTCUT 115
#define IDS_STATUS_PASTE_FROM_FILE 116
#define IDS_STATUS_NO_PASTE 117

// The buttons: %1 the window's title, %2 Config.ini's path.
#define IDS_NO_SELECTION 118
#define IDS_PASTE_MISSING 119
#define IDS_PASTE_INVALID 120
#define IDS_SAVED 121
#define IDS_SAVED_NO_PROGRAM 122
#define IDS_SENT 123  // whether it pasted cannot be seen
#define IDS_NOT_SENT 124

// Why Config.ini was not saved: %1 the key, %2 the value meant for it (for a setting that saving
// would change, its value now), %3 the system's reason.
#define IDS_UNUSABLE_KEY 125
#define IDS_LONE_CR 126
#define IDS_BARE_SEMICOLON 127
#define IDS_BACKSLASH_ESCAPE 128
#define IDS_TRAILING_BACKSLASH 129
#define IDS_ENTRIES_OVERLAP 130
#define IDS_NOT_READ_BACK 131
#define IDS_OTHER_SETTING_CHANGED 132
#define IDS_READ_FAILED 133
#define IDS_WRITE_FAILED 134

// The command line: %1 the argument not understood, the handle as given, the window's title, or
// the list's file with %2 the system's reason.
#define IDS_USAGE 135
#define IDS_NO_SUCH_WINDOW 136
#define IDS_SCRIPT_NO_PASTE 137
#define IDS_LIST_FAILED 138

// The test send once the window has read the text, or not (%1 its title, %2 the paste command).
#define IDS_TAKEN 139
#define IDS_NOT_TAKEN 140

// Config.ini is far larger than any it could be.
#define IDS_TOO_LARGE 141
// A button's work was given up: memory ran out, or something went wrong that nobody foresaw.
#define IDS_NOT_DONE 142

// The title to look for: its label, and the title match modes in the order of TitleMatch.
#define IDS_TITLE_LABEL 143
#define IDS_MATCH_EXACT 144
#define IDS_MATCH_BEGINS 145
#define IDS_MATCH_CONTAINS 146
#define IDS_MATCH_ANY 147
// How many listed windows the title and mode match (%1), and the one Sendlark would feed (%2).
#define IDS_MATCHES 148
#define IDS_NO_MATCH 149
// The test send through a route other than a paste command: %1 the window's title, %2 the
// route.
#define IDS_ROUTE_FOUND 150
#define IDS_NO_ROUTE 151
#define IDS_ROUTE_NOT_TAKEN 152

// The hot key box, and why its combination is not saved (%1 as typed): three for the faults of a
// value in HotKeyFault's order, then one with %2 the system's reason for refusing it.
#define IDS_HOTKEY_LABEL 153
#define IDS_HOTKEY_NO_MODIFIER 154
#define IDS_HOTKEY_NOT_A_MODIFIER 155
#define IDS_HOTKEY_NOT_A_KEY 156
#define IDS_HOTKEY_TAKEN 157
// The check box saved as :RestoreClipboard.
#define IDS_RESTORE_CLIPBOARD 158
// A hot key that is a shortcut of the clipboard (%1 as typed), after the other faults' texts.
#define IDS_HOTKEY_CLIPBOARD_SHORTCUT 159
// The window chosen or named is a copy's strip.
#define IDS_STRIP_NOT_A_TARGET 160
// A console's paste command, known by its class: the note after the id in the paste column, and
// the status line once it is chosen (%1 its title, %2 the id).
#define IDS_PASTE_CONSOLE 161
#define IDS_STATUS_PASTE_CONSOLE 162
// The route search took a route after others (%1 the window's title, %2 the route taken, %3
// those not taken, joined by the text between two of them).
#define IDS_ROUTE_FOUND_AFTER 163
#define IDS_ROUTES_JOINED 164

#define IDS_FIRST IDS_TITLE
#define IDS_LAST IDS_ROUTES_JOINED
