#include "app/windows/source_offer.h"

#include "app/data/data_files.h"
#include "app/data/source_setting.h"
#include "app/media/playback_handlers.h"
#include "app/windows/creation_handler.h"
#include "app/windows/source_dialog.h"
#include "catalogue/source_catalogue.h"

namespace app {

void OfferSourceDialog(const PlayerUnits& units) {
  OpenSourceDialog(units.window, catalogue::ProgramCatalogue().source(), StartupPicture(),
                   [](const catalogue::MusicSource& source, catalogue::FolderCatalogue scanned) {
                     UseChosenSource(source, std::move(scanned));
                   });
}

bool OnSourceCommand(const PlayerUnits& units, WPARAM wParam, LPARAM lParam) {
  const bool menu = lParam == 0 && LOWORD(wParam) == kMenuSource;
  // The visible list holds the explanation, not songs, when the last fetch brought none.
  const bool explanation = LOWORD(wParam) == kId列表框2 && HIWORD(wParam) == LBN_DBLCLK &&
                           catalogue::ProgramCatalogue().fetchedNothing();
  if (!menu && !explanation) return false;
  OfferSourceDialog(units);
  return true;
}

void OfferSourceAtStart(const PlayerUnits& units) {
  const catalogue::SourceCatalogue& source = catalogue::ProgramCatalogue();
  if (!source.fetchedNothing() || source.source().kind != catalogue::MusicSource::Kind::kBuiltIn ||
      FileExists(DataPath(kSourceFile))) {
    return;
  }
  // Posted: the window is shown before the message loop takes it.
  PostMessageW(units.window, kOfferSourceMessage, 0, 0);
}

}  // namespace app
