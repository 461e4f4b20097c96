// Saving a target into the Config.ini beside the program, so that Sendlark reads it back.
#pragma once

#include <optional>
#include <string>

#include "setup/config_edit.h"
#include "setup/setup_texts.h"

namespace sendlark::setup {

// The four values that name a target in Config.ini.
struct TargetSettings {
  std::wstring title;      // :AppliactionName
  std::wstring className;  // :AppliactionClass
  std::wstring paste;      // :AppliactionPast, the identifier's decimal digits
  std::wstring program;    // :AppliactionPath; empty when not known, and then left as it is
};

enum class SaveStep {
  kRead,      // the file is there but could not be read
  kRefused,   // a value cannot be written so that Sendlark reads it back
  kWrite,     // the new file could not be written
  kCheck,     // it was written but could not be read again
  kReadBack,  // it was written, but a value reads back differently
};

struct SaveFailure {
  SaveStep step;
  std::optional<SaveRefusalReason> reason;  // kRefused
  std::wstring key;                         // kRefused and kReadBack
  // The value meant for the key; for a setting that saving would change, the value it has now.
  std::wstring value;
  std::wstring detail;  // the system's reason, or the value read back
};

// The program's path as Config.ini can hold it. Sendlark reads "\n" as a line break even in a
// path; file names ignore letter case, so "C:\Windows\notepad.exe" is written with a capital N.
std::wstring ConfigProgramPath(std::wstring path);

// Writes the target into Config.ini in the program's folder, creating it when it is missing, and
// reads it back. Each key's entry is replaced where Sendlark finds it and missing ones are added
// at the end; every other character stays. A new file is written in the ANSI code page when all
// of it fits, an existing one in its own encoding when all of it fits, else as UTF-8 with a mark.
// Nothing when every value reads back exactly.
std::optional<SaveFailure> SaveSettings(const TargetSettings& target);

// The failure as a sentence for the user, naming the key and the value.
std::wstring DescribeSaveFailure(const SaveFailure& failure, const SetupTexts& texts);

}  // namespace sendlark::setup
