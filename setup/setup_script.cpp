#include "setup/setup_script.h"

#include "setup/save_settings.h"
#include "setup/window_list.h"
#include "state/program_state.h"

namespace sendlark::setup {

ScriptOutcome WriteWindowList(const std::wstring& file, const std::vector<TargetRow>& rows,
                              const SetupTexts& texts) {
  if (const ErrorText error = Sys().ReplaceFileBytes(file, FormatWindowList(rows))) {
    return {kScriptFailed, Fill(texts.listFailed, {file, *error})};
  }
  return {};
}

ScriptOutcome SaveWindow(const SetupCommand& command, const std::optional<TargetRow>& row,
                         const SetupTexts& texts) {
  if (!row) return {kScriptFailed, Fill(texts.noSuchWindow, {command.windowText})};
  const std::optional<std::uint32_t> paste = command.paste ? command.paste
                                             : row->paste  ? std::optional(row->paste->id)
                                                           : std::nullopt;
  if (!paste) return {kScriptFailed, Fill(texts.scriptNoPaste, {row->title})};
  if (const std::optional<SaveFailure> failure =
          SaveSettings({row->title, row->className, std::to_wstring(*paste), row->program})) {
    return {kScriptFailed, DescribeSaveFailure(*failure, texts)};
  }
  return {};
}

ScriptOutcome Usage(const SetupCommand& command, const SetupTexts& texts) {
  return {kScriptUsage, Fill(texts.usage, {command.notUnderstood})};
}

}  // namespace sendlark::setup
