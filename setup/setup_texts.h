// Every text SendlarkSetup.exe shows, in the two languages it speaks: one table, so that a text
// added in one language cannot be forgotten in the other. "%1", "%2", ... stand for the values
// that Fill puts in.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/language.h"

namespace sendlark::setup {

struct SetupTexts {
  // The window.
  const wchar_t* title;
  const wchar_t* columnTitle;
  const wchar_t* columnClass;
  const wchar_t* columnProgram;
  const wchar_t* columnPaste;
  const wchar_t* columnWindow;
  const wchar_t* pasteLabel;
  const wchar_t* refresh;
  const wchar_t* send;
  const wchar_t* save;

  // The paste column, and the status line once a window is chosen (%1 its title, %2 the id).
  const wchar_t* pasteByShortcut;  // after the id
  const wchar_t* pasteFromFile;    // after the id
  const wchar_t* pasteNone;
  const wchar_t* statusListed;  // %1 the number of windows
  const wchar_t* statusPaste;
  const wchar_t* statusPasteByShortcut;
  const wchar_t* statusPasteFromFile;
  const wchar_t* statusNoPaste;

  // Saving and trying out.
  const wchar_t* noSelection;
  const wchar_t* pasteMissing;
  const wchar_t* pasteInvalid;
  const wchar_t* saved;           // %1 the title, %2 Config.ini's path
  const wchar_t* savedNoProgram;  // as `saved`
  const wchar_t* sent;            // %1 the title; whether it pasted cannot be seen
  const wchar_t* notSent;         // %1 the title
  const wchar_t* taken;           // %1 the title
  const wchar_t* notTaken;        // %1 the title, %2 the paste command

  // Why a save failed: %1 the key, %2 the value meant for it (for a setting that would change,
  // its value now), %3 the system's reason or the value read back.
  const wchar_t* unusableKey;
  const wchar_t* loneCr;
  const wchar_t* bareSemicolon;
  const wchar_t* backslashEscape;
  const wchar_t* trailingBackslash;
  const wchar_t* entriesOverlap;
  const wchar_t* notReadBack;
  const wchar_t* otherSettingChanged;
  const wchar_t* readFailed;     // %3 only
  const wchar_t* writeFailed;    // %3 only
  const wchar_t* checkFailed;    // %3 only
  const wchar_t* readBackWrong;  // %1 the key, %2 the value saved, %3 the value read back

  // The command line.
  const wchar_t* usage;         // %1 the argument not understood
  const wchar_t* noSuchWindow;  // %1 the handle as given
  const wchar_t* scriptNoPaste;
  const wchar_t* listFailed;  // %1 the file, %2 the system's reason
};

const SetupTexts& TextsFor(Language language);

// `pattern` with each "%1" to "%9" replaced by that argument; an argument's own text is never
// searched for marks.
std::wstring Fill(std::wstring_view pattern, std::initializer_list<std::wstring_view> arguments);

}  // namespace sendlark::setup
