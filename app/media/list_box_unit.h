// A list box as the play list sees it: entries in UTF-8, held by the list box in UTF-16.
#pragma once

#include <windows.h>

#include <string>

#include "catalogue/playlist.h"

namespace app {

class ListBoxUnit final : public catalogue::ListUnit {
 public:
  explicit ListBoxUnit(HWND list) : list_(list) {}
  int Count() const override;
  std::string Entry(int index) const override;
  void Clear() override;
  void Append(const std::string& text) override;
  int Selected() const override;
  void Select(int index) override;

 private:
  HWND list_;
};

}  // namespace app
