#include "app/media/list_box_unit.h"

#include "catalogue/text_routines.h"

namespace app {

int ListBoxUnit::Count() const {
  const LRESULT n = SendMessageW(list_, LB_GETCOUNT, 0, 0);
  return n == LB_ERR ? 0 : static_cast<int>(n);
}

std::string ListBoxUnit::Entry(int index) const {
  const LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR || length <= 0) return {};
  std::wstring text(length + 1, L'\0');
  const LRESULT got = SendMessageW(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  if (got == LB_ERR) return {};
  text.resize(got);
  return catalogue::ToUtf8(text);
}

void ListBoxUnit::Clear() { SendMessageW(list_, LB_RESETCONTENT, 0, 0); }

void ListBoxUnit::Append(const std::string& text) {
  SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(catalogue::FromUtf8(text).c_str()));
}

int ListBoxUnit::Selected() const {
  const LRESULT index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void ListBoxUnit::Select(int index) { SendMessageW(list_, LB_SETCURSEL, index, 0); }

}  // namespace app
