// Saving a target into the Config.ini beside the program in place, so that Sendlark reads it
// back and everything else in the file stays as the user wrote it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/text_util.h"
#include "platform/setup_texts.h"
#include "platform/setup_window_events.h"

namespace sendlark::setup {

struct ConfigEdit {
  std::wstring key;    // with its leading colon, e.g. ":AppliactionPast"
  std::wstring value;  // as Sendlark is to read it
};

// Why Config.ini was not saved: the text that says it (IDS_UNUSABLE_KEY to IDS_WRITE_FAILED),
// about `key`, the value meant for it (for a setting that saving would change, the value it has
// now) and the system's reason.
struct SaveFailure {
  int reason;
  std::wstring key;
  std::wstring value;
  std::wstring detail;
};

struct SavedConfig {
  std::wstring text;  // the whole new text; empty when refused
  std::optional<SaveFailure> refusal;
};

// `text` with every edit's value written into the entry Sendlark reads for its key. `text` is
// the file's decoded text exactly as it stands, and every character of it outside the values
// replaced stays where it is. A key without an entry gets one, "key=value;" on a line of its
// own: before the line of the key's first occurrence when that occurrence gives no value (a note
// mentioning the key), or else at the end. Refused when a key cannot be used, when a value
// cannot be written so that it reads back, when the result would not read back every value, or
// when it would change what Sendlark reads for one of its other settings.
SavedConfig SaveConfigValues(const std::wstring& text, const std::vector<ConfigEdit>& edits,
                             CaseFold fold);

// Writes the title and mode chosen, the window's class and program file (unless it is not
// known), the paste route as Config.ini is to hold it, the hot key unless it is empty and
// :RestoreClipboard as 1 or 0 when given, into Config.ini, creating it when it is not there, as
// SaveConfigValues writes them. A new file is written in the ANSI code page when all of it
// fits, an existing one in its own encoding when all of it fits, else as UTF-8 with a mark.
// Nothing when saved.
std::optional<SaveFailure> SaveSettings(const SetupChoice& choice);

}  // namespace sendlark::setup
