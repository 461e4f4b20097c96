#include "setup/setup_actions.h"

#include "config/file_io.h"
#include "delivery/send_command.h"
#include "setup/save_settings.h"
#include "setup/setup_command_line.h"
#include "state/program_state.h"

namespace sendlark::setup {

std::wstring SetupActions::Fail(std::wstring text) {
  Sys().ShowMessage(text);
  return text;
}

std::optional<std::wstring> SetupActions::CheckChoice(const TargetRow* row,
                                                      const std::wstring& paste,
                                                      std::wstring& status) {
  if (row == nullptr) {
    status = Fail(texts_.noSelection);
  } else if (paste.empty()) {
    status = Fail(texts_.pasteMissing);
  } else if (const std::optional<std::uint32_t> id = ParsePasteId(paste)) {
    return std::to_wstring(*id);
  } else {
    status = Fail(texts_.pasteInvalid);
  }
  return std::nullopt;
}

std::wstring SetupActions::Save(const TargetRow* row, const std::wstring& paste) {
  std::wstring status;
  const std::optional<std::wstring> id = CheckChoice(row, paste, status);
  if (!id) return status;
  if (const std::optional<SaveFailure> failure =
          SaveSettings({row->title, row->className, *id, row->program})) {
    return Fail(DescribeSaveFailure(*failure, texts_));
  }
  return Fill(row->program.empty() ? texts_.savedNoProgram : texts_.saved,
              {row->title, ProgramFilePath(kConfigFileName)});
}

std::wstring SetupActions::SendTestText(const TargetRow* row, const std::wstring& paste) {
  std::wstring status;
  const std::optional<std::wstring> id = CheckChoice(row, paste, status);
  if (!id) return status;
  // Sendlark's own road with the number typed, so that what works here works there: Deliver
  // with its clipboard, activation, paste, confirmation and messages.
  switch (Deliver(kTestText, {row->className, row->title, *id})) {
    case Delivery::Taken:
      return Fill(texts_.taken, {row->title});
    case Delivery::Unseen:
      return Fill(texts_.sent, {row->title});
    case Delivery::NotTaken:
      return Fill(texts_.notTaken, {row->title, *id});
    default:
      return Fill(texts_.notSent, {row->title});
  }
}

}  // namespace sendlark::setup
