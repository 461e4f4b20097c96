#include "setup/config_edit.h"

#include <algorithm>
#include <cstddef>

#include "config/config_lookup.h"
#include "config/file_io.h"
#include "config/options.h"
#include "config/hot_key.h"
#include "state/program_state.h"

// Sendlark looks its keys up in TextLines(file), while the edits below are placed in the file's
// own text, whose line ends must stay as they are. Both find the same entry: TextLines only adds
// a LF after a lone CR (and CR LF after an unfinished last line), never a backslash, ";" or "=",
// and never between a backslash and a ";"; a usable key holds neither CR nor LF, and the fold
// treats every character alone. So the key, its "=" and its ";" are the same characters in both
// texts, and the value read differs from the raw span only by LFs after lone CRs, which no value
// written here holds.

namespace sendlark::setup {

namespace {

// What takes the place of the old text's characters [begin, end) in the new text: a value
// written over the old one, or a whole entry put in before `begin`.
struct Change {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::wstring text;
  std::size_t valueOffset = 0;  // where the written value starts within `text`
  std::size_t edit = 0;
};

// The characters of a key stand in the new entries as written, so it must not end an entry or
// a line, or begin its value early.
bool IsUsableKey(const std::wstring& key) {
  return !key.empty() && key.find_first_of(L"\r\n=;") == std::wstring::npos;
}

// `value` written so that GetConfigValue reads exactly it back, or why that cannot be done (0
// when it can). Reading turns "\n" into CR LF and "\;" and "\:" into "; ", and ends the value
// at any other ";", so those escapes are the only way to write line breaks and semicolons, and a
// backslash that would start one cannot be written at all.
int WriteValue(std::wstring_view value, std::wstring& written) {
  for (std::size_t i = 0; i < value.size(); ++i) {
    const wchar_t next = i + 1 < value.size() ? value[i + 1] : L'\0';
    switch (value[i]) {
      case L'\r':
        if (next != L'\n') return IDS_LONE_CR;
        written += L"\\n";
        ++i;
        break;
      case L';':
        if (next != L' ') return IDS_BARE_SEMICOLON;
        written += L"\\;";
        ++i;
        break;
      case L'\\':
        if (next == L'n' || next == L':' || next == L';') return IDS_BACKSLASH_ESCAPE;
        if (i + 1 == value.size()) return IDS_TRAILING_BACKSLASH;
        written += L'\\';
        break;
      default:
        written += value[i];
    }
  }
  return 0;
}

// After the CR or LF that ends the line before: where an editor shows the line to begin.
std::size_t LineStart(const std::wstring& text, std::size_t at) {
  if (at == 0) return 0;
  const std::size_t lineEnd = text.find_last_of(L"\r\n", at - 1);
  return lineEnd == std::wstring::npos ? 0 : lineEnd + 1;
}

// The program's path as Config.ini can hold it. Sendlark reads "\n" as a line break even in a
// path; file names ignore letter case, so "C:\Windows\notepad.exe" is written with a capital N.
std::wstring ConfigProgramPath(std::wstring path) {
  for (std::size_t at = path.find(L"\\n"); at != std::wstring::npos; at = path.find(L"\\n", at)) {
    path[++at] = L'N';
  }
  return path;
}

bool EndsInLineEnd(const std::wstring& text) {
  return text.empty() || text.back() == L'\r' || text.back() == L'\n';
}

}  // namespace

SavedConfig SaveConfigValues(const std::wstring& text, const std::vector<ConfigEdit>& edits,
                             CaseFold fold) {
  // The value meant for a key being saved, or the value now of another setting in the way.
  const auto refuse = [&](int reason, const std::wstring& key) {
    std::wstring value = GetConfigValue(TextLines(text), key, fold);
    for (const ConfigEdit& edit : edits) {
      if (edit.key == key) value = edit.value;
    }
    return SavedConfig{{}, SaveFailure{reason, key, std::move(value), {}}};
  };
  std::vector<std::wstring> folded;
  for (const ConfigEdit& edit : edits) {
    std::wstring key = fold(edit.key);
    if (!IsUsableKey(edit.key) || std::find(folded.begin(), folded.end(), key) != folded.end()) {
      return refuse(IDS_UNUSABLE_KEY, edit.key);
    }
    folded.push_back(std::move(key));
  }

  // Every place is found in the text as it was, so no edit's entry depends on what another
  // edit wrote; values that end up holding a key are caught when the result is read back.
  std::vector<Change> changes;
  bool appended = false;
  for (std::size_t i = 0; i < edits.size(); ++i) {
    const ConfigEdit& edit = edits[i];
    std::wstring written;
    if (const int reason = WriteValue(edit.value, written)) return refuse(reason, edit.key);
    if (const std::optional<ValueSpan> span = FindConfigValue(text, edit.key, fold)) {
      changes.push_back({span->begin, span->end, std::move(written), 0, i});
      continue;
    }
    const std::wstring entry = edit.key + L"=" + written + L";" + std::wstring(kCrLf);
    if (const std::optional<std::size_t> keyAt = FindConfigKey(text, edit.key, fold)) {
      // Before the whole line rather than right before the key, so that no note is cut in two.
      const std::size_t lineStart = LineStart(text, *keyAt);
      changes.push_back({lineStart, lineStart, entry, edit.key.size() + 1, i});
      continue;
    }
    // The key cannot run into the last line's text and be found there.
    const std::wstring lineEnd = !appended && !EndsInLineEnd(text) ? std::wstring(kCrLf) : L"";
    appended = true;
    changes.push_back(
        {text.size(), text.size(), lineEnd + entry, lineEnd.size() + edit.key.size() + 1, i});
  }

  // Entries put in before the same line keep the order of their edits.
  std::stable_sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) {
    return a.begin != b.begin ? a.begin < b.begin : a.end < b.end;
  });
  std::wstring result;
  std::vector<std::size_t> valueAt(edits.size());
  std::size_t copied = 0;
  for (const Change& change : changes) {
    // Two spans sharing characters, or a line begun inside another value: only a ";" missing
    // from the file lets one entry run over another's.
    if (change.begin < copied) return refuse(IDS_ENTRIES_OVERLAP, edits[change.edit].key);
    result.append(text, copied, change.begin - copied);
    valueAt[change.edit] = result.size() + change.valueOffset;
    result += change.text;
    copied = change.end;
  }
  result.append(text, copied);

  const std::wstring lines = TextLines(result);
  for (std::size_t i = 0; i < edits.size(); ++i) {
    const ConfigEdit& edit = edits[i];
    // A value of another edit holding this key comes first, even when it happens to read the
    // same.
    const std::optional<ValueSpan> span = FindConfigValue(result, edit.key, fold);
    if (!span || span->begin != valueAt[i] || GetConfigValue(lines, edit.key, fold) != edit.value) {
      return refuse(IDS_NOT_READ_BACK, edit.key);
    }
  }
  // An entry added after a last entry without its ";", or a value holding another setting's
  // key, would quietly change a setting the user did not touch.
  const std::wstring oldLines = TextLines(text);
  std::vector<std::wstring> settings = {kTitleMatchKey, kRestoreClipboardKey, kHotKeyKey};
  for (const ConfigKey& setting : kConfigKeys)
    settings.push_back(setting.key);
  for (const std::wstring& key : settings) {
    if (std::find(folded.begin(), folded.end(), fold(key)) != folded.end()) continue;
    if (GetConfigValue(oldLines, key, fold) != GetConfigValue(lines, key, fold)) {
      return refuse(IDS_OTHER_SETTING_CHANGED, key);
    }
  }
  return {result, std::nullopt};
}

std::optional<SaveFailure> SaveSettings(const SetupChoice& choice) {
  const auto key = [](SettingSlot slot) { return kConfigKeys[slot - ApplicationPath].key; };
  const ListedWindow& target = *choice.window;
  std::vector<ConfigEdit> edits = {{key(ApplicationName), choice.title},
                                   {key(ApplicationClass), target.className},
                                   {key(ApplicationPaste), choice.paste}};
  if (!target.program.empty()) {
    edits.push_back({key(ApplicationPath), ConfigProgramPath(target.program)});
  }
  if (!choice.hotKey.empty()) edits.push_back({kHotKeyKey, choice.hotKey});
  if (choice.restoreClipboard)
    edits.push_back({kRestoreClipboardKey, *choice.restoreClipboard ? L"1" : L"0"});

  const std::wstring path = ProgramFilePath(kConfigFileName);
  // A new file is ANSI unless a value does not fit, like the files Sendlark ships with.
  FileEncoding encoding = FileEncoding::Ansi;
  std::wstring text;
  // Only a file that is not there is new: one the system cannot look at is read, and its
  // reason stops the save, rather than written over.
  if (!Sys().IsMissingFile(path)) {
    // Decoding a huge file would take more memory than there is.
    const FileRead read = Sys().ReadFileBytes(path, kMaxFileBytes);
    if (read.tooLarge) return SaveFailure{IDS_TOO_LARGE, {}, {}, {}};
    if (read.error) return SaveFailure{IDS_READ_FAILED, {}, {}, *read.error};
    text = DecodeFileText(read.bytes, encoding);
  }
  // A file without the key matches titles exactly: it gets one only when that is to change.
  if (choice.match != TitleMatch::Exact || FindConfigValue(text, kTitleMatchKey, SystemFold)) {
    edits.push_back({kTitleMatchKey, TitleMatchName(choice.match)});
  }
  // The new text is checked there, as Sendlark will read it; its bytes give it back exactly.
  SavedConfig saved = SaveConfigValues(text, edits, SystemFold);
  if (saved.refusal) return std::move(saved.refusal);
  // Unlike the log, rewritten at every delivery, it is worth the wait for the disk.
  if (const ErrorText error =
          Sys().ReplaceFileBytes(path, EncodeFileText(saved.text, encoding), true)) {
    return SaveFailure{IDS_WRITE_FAILED, {}, {}, *error};
  }
  return std::nullopt;
}

}  // namespace sendlark::setup
