#include "menus/history.h"

#include <array>

#include "config/fields.h"
#include "config/file_io.h"
#include "config/text_util.h"
#include "state/delivery_turn.h"
#include "state/program_state.h"

namespace sendlark {

void UpdateHistory(int mode, const std::wstring& text) {
  // Another copy's delivery must not slip in between reading the log and writing it back.
  const DeliveryTurn turn;
  g_logText.clear();
  const FileEncoding encoding = ReadTextFile(g_logText, g_settings[LogFileName]);

  std::array<std::wstring, kHistorySize + 1> working;  // positions 1 to 10
  int offset = 0;
  if (mode == Add) {
    mnu_sub_sub_log[1] = {text, true};
    working[1] = text;
    offset = 1;
  }
  const std::vector<std::wstring> lines =
      LeadingFields(g_logText, std::wstring(kCrLf), kHistorySize - offset, SystemFold);
  for (std::size_t n = 1; n <= lines.size(); ++n) {
    const int position = static_cast<int>(n) + offset;
    mnu_sub_sub_log[position] = {lines[n - 1], true};
    working[position] = lines[n - 1];
  }

  // The whole history goes to disk in one replacement, so a failure or a second copy writing
  // at the same moment can never leave the file half written.
  std::wstring content;
  for (int position = 1; position <= kHistorySize; ++position) {
    if (!working[position].empty()) content += working[position] + std::wstring(kCrLf);
  }
  if (!content.empty()) FileReplace(content, g_settings[LogFileName], encoding);
}

}  // namespace sendlark
