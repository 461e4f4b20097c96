// Saving values into Config.ini in place, so that Sendlark reads them back and everything else
// in the file stays as the user wrote it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/text_util.h"

namespace sendlark::setup {

struct ConfigEdit {
  std::wstring key;    // with its leading colon, e.g. ":AppliactionPast"
  std::wstring value;  // as Sendlark is to read it
};

enum class SaveRefusalReason {
  kUnusableKey,         // empty, holding a line break, "=" or ";", or named by two edits
  kLoneCr,              // a CR without LF: Sendlark would read a line break there
  kBareSemicolon,       // a ";" not followed by a blank: it would end the entry
  kBackslashEscape,     // a backslash before "n", ":" or ";" would be read as an escape
  kTrailingBackslash,   // it would escape the ";" that ends the entry
  kEntriesOverlap,      // the key's entry and another edited key's share text: a ";" is missing
  kNotReadBack,         // Sendlark would not read the value back: another value holds the key
  kOtherSettingChanged  // a setting that was not edited would read differently
};

struct SaveRefusal {
  SaveRefusalReason reason;
  std::wstring key;  // the key the reason is about
};

struct SavedConfig {
  std::wstring text;  // the whole new text; empty when refused
  std::optional<SaveRefusal> refusal;
};

// `text` with every edit's value written into the entry Sendlark reads for its key. `text` is
// the file's decoded text exactly as it stands, and every character of it outside the values
// replaced stays where it is. A key without an entry gets one, "key=value;" on a line of its
// own: before the line of the key's first occurrence when that occurrence gives no value (a note
// mentioning the key), or else at the end. Refused when a value cannot be written so that it
// reads back, when the result would not read back every value, or when it would change what
// Sendlark reads for one of its other settings.
SavedConfig SaveConfigValues(const std::wstring& text, const std::vector<ConfigEdit>& edits,
                             CaseFold fold);

}  // namespace sendlark::setup
