#include "setup/save_settings.h"

#include <vector>

#include "config/config_lookup.h"
#include "config/file_io.h"
#include "config/text_util.h"
#include "state/program_state.h"

namespace sendlark::setup {

namespace {

using Reason = SaveRefusalReason;

std::wstring KeyOf(SettingSlot slot) {
  for (const ConfigKey& key : kConfigKeys) {
    if (key.slot == slot) return key.key;
  }
  return {};
}

SaveFailure Failed(SaveStep step, std::wstring detail) {
  return {step, std::nullopt, {}, {}, std::move(detail)};
}

// A refusal names a key: one being saved, or another setting that saving would change, whose
// value as the file holds it now tells the user which entry to look at.
SaveFailure Refused(const SaveRefusal& refusal, const std::vector<ConfigEdit>& edits,
                    const std::wstring& oldText) {
  std::wstring value = GetConfigValue(TextLines(oldText), refusal.key, SystemFold);
  for (const ConfigEdit& edit : edits) {
    if (edit.key == refusal.key) value = edit.value;
  }
  return {SaveStep::kRefused, refusal.reason, refusal.key, std::move(value), {}};
}

const wchar_t* RefusalPattern(Reason reason, const SetupTexts& texts) {
  switch (reason) {
    case Reason::kUnusableKey:
      return texts.unusableKey;
    case Reason::kLoneCr:
      return texts.loneCr;
    case Reason::kBareSemicolon:
      return texts.bareSemicolon;
    case Reason::kBackslashEscape:
      return texts.backslashEscape;
    case Reason::kTrailingBackslash:
      return texts.trailingBackslash;
    case Reason::kEntriesOverlap:
      return texts.entriesOverlap;
    case Reason::kNotReadBack:
      return texts.notReadBack;
    case Reason::kOtherSettingChanged:
      return texts.otherSettingChanged;
  }
  return texts.unusableKey;
}

}  // namespace

std::wstring ConfigProgramPath(std::wstring path) {
  for (std::size_t at = path.find(L"\\n"); at != std::wstring::npos; at = path.find(L"\\n", at)) {
    path[++at] = L'N';
  }
  return path;
}

std::optional<SaveFailure> SaveSettings(const TargetSettings& target) {
  std::vector<ConfigEdit> edits = {
      {KeyOf(ApplicationName), target.title},
      {KeyOf(ApplicationClass), target.className},
      {KeyOf(ApplicationPaste), target.paste},
  };
  if (!target.program.empty()) {
    edits.push_back({KeyOf(ApplicationPath), ConfigProgramPath(target.program)});
  }

  const std::wstring path = ProgramFilePath(kConfigFileName);
  // A new file is ANSI unless a value does not fit, like the files Sendlark ships with.
  FileEncoding encoding = FileEncoding::Ansi;
  std::wstring text;
  // Only a file that is not there is new: one the system cannot look at is read, and its
  // reason stops the save, rather than written over.
  if (!Sys().IsMissingFile(path)) {
    std::string bytes;
    if (const ErrorText error = Sys().ReadFileBytes(path, bytes)) {
      return Failed(SaveStep::kRead, *error);
    }
    text = DecodeFileText(bytes, encoding);
  }
  const SavedConfig saved = SaveConfigValues(text, edits, SystemFold);
  if (saved.refusal) return Refused(*saved.refusal, edits, text);
  // Unlike the log, rewritten at every delivery, it is worth the wait for the disk.
  if (const ErrorText error =
          Sys().ReplaceFileBytes(path, EncodeFileText(saved.text, encoding), true)) {
    return Failed(SaveStep::kWrite, *error);
  }

  // What Sendlark will read, read as Sendlark reads it: only that counts as saved.
  std::string written;
  if (const ErrorText error = Sys().ReadFileBytes(path, written)) {
    return Failed(SaveStep::kCheck, *error);
  }
  FileEncoding writtenIn;
  const std::wstring lines = TextLines(DecodeFileText(written, writtenIn));
  for (const ConfigEdit& edit : edits) {
    std::wstring read = GetConfigValue(lines, edit.key, SystemFold);
    if (read != edit.value) {
      return SaveFailure{SaveStep::kReadBack, std::nullopt, edit.key, edit.value, std::move(read)};
    }
  }
  return std::nullopt;
}

std::wstring DescribeSaveFailure(const SaveFailure& failure, const SetupTexts& texts) {
  const wchar_t* pattern = texts.readFailed;
  switch (failure.step) {
    case SaveStep::kRead:
      pattern = texts.readFailed;
      break;
    case SaveStep::kRefused:
      pattern = RefusalPattern(failure.reason.value_or(Reason::kUnusableKey), texts);
      break;
    case SaveStep::kWrite:
      pattern = texts.writeFailed;
      break;
    case SaveStep::kCheck:
      pattern = texts.checkFailed;
      break;
    case SaveStep::kReadBack:
      pattern = texts.readBackWrong;
      break;
  }
  return Fill(pattern, {failure.key, failure.value, failure.detail});
}

}  // namespace sendlark::setup
