#include "app/skin_calls.h"

#include <optional>
#include <string>

#include "skin/skin_engine.h"
#include "skin/skin_settings.h"

namespace app {

void skinWindow(HWND window, const std::vector<uint8_t>& picture) {
  skin::SkinEngine* engine = skin::skinEngine;
  if (!engine) return;
  engine->SetSkin("", picture, 0, 0xFF8800, 3);
  engine->SetOptions(1, 0);
  std::vector<std::string> statusItems;
  std::vector<uint8_t> ownPicture;
  engine->AttachWindow(window, 25, 1, 1, 0, 0, 1, 0, std::nullopt, statusItems, ownPicture);
}

void skinGroupBox(HWND groupBox) {
  if (!skin::skinEngine) return;
  skin::skinEngine->AttachPanel(groupBox, 1, GetSysColor(COLOR_WINDOW), 0);
}

}  // namespace app
