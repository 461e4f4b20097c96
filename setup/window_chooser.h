// The program's side of SendlarkSetup's window: the windows it lists, and what its buttons do
// with the one chosen.
#pragma once

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/setup_window_events.h"
#include "platform/window_facts.h"
#include "setup/setup_actions.h"
#include "setup/setup_texts.h"
#include "setup/target_row.h"

namespace sendlark::setup {

// The window's own texts, from the table of every text.
SetupWindowTexts WindowTexts(const SetupTexts& texts);

class WindowChooser final : public SetupWindowEvents {
 public:
  using ListWindowFacts = std::function<std::vector<WindowFacts>()>;

  // `listWindows` tells what the system knows of the windows that could be the target.
  WindowChooser(const SetupTexts& texts, ListWindowFacts listWindows)
      : texts_(texts), listWindows_(std::move(listWindows)), actions_(texts) {}

  std::vector<ListedWindow> ListWindows() override;
  std::wstring Save(std::uintptr_t window, const std::wstring& pasteText) override;
  std::wstring SendTestText(std::uintptr_t window, const std::wstring& pasteText) override;

 private:
  std::optional<TargetRow> Listed(std::uintptr_t window) const;

  const SetupTexts& texts_;
  ListWindowFacts listWindows_;
  SetupActions actions_;
  std::vector<TargetRow> rows_;  // as last listed
};

}  // namespace sendlark::setup
