// The media player unit's own face, where the control has no interface of its own (Wine): the
// number of the song now playing, its state and its elapsed time, drawn over the background
// picture in the control's place. The window's text holds the same line, for whoever reads it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/media_player_unit.h"

namespace app {

// The face's one line of text: "歌曲3 正在播放 0:07"; the song part is "--" for song 0.
std::string FaceText(int songNumber, MediaPlayerUnit::Activity activity, double seconds);

class MediaFace {
 public:
  // Covers the player's window (which it hides) in the same parent; `songNumber` tells which
  // song of the list the player holds (0 for none).
  MediaFace(const MediaPlayerUnit& player, std::function<int()> songNumber);
  ~MediaFace();
  MediaFace(const MediaFace&) = delete;
  MediaFace& operator=(const MediaFace&) = delete;

  HWND window() const { return window_; }

 private:
  static LRESULT CALLBACK FaceProc(HWND, UINT, WPARAM, LPARAM);
  void Refresh();
  void Paint(HDC target);

  const MediaPlayerUnit& player_;
  std::function<int()> songNumber_;
  HWND window_ = nullptr;
  HFONT large_ = nullptr;
  std::string text_;
};

}  // namespace app
