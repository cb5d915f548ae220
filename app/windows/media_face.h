// The media player unit's own face, where the control has no interface of its own (Wine): the
// number of the song now playing with its title under it, its state and its elapsed time, drawn
// over the background picture in the control's place. The window's text holds the same: the
// line of FaceText, then the title on a line of its own when the song has one.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/media/media_player_unit.h"
#include "catalogue/playlist.h"
#include "skin/gdi/gdi_scoped.h"

namespace app {

// The face's one line of text: "歌曲3 正在播放 0:07"; the song part is "--" for song 0. A
// non-empty `state` stands in place of the activity's word.
std::wstring FaceText(int songNumber, MediaPlayerUnit::Activity activity, double seconds,
                      const std::wstring& state = {});

class MediaFace {
 public:
  // Covers the player's window (which it hides) in the same parent; `song` tells which song the
  // player was given last.
  MediaFace(const MediaPlayerUnit& player, std::function<catalogue::NowPlaying()> song);
  ~MediaFace();
  MediaFace(const MediaFace&) = delete;
  MediaFace& operator=(const MediaFace&) = delete;

  HWND window() const { return window_; }
  // Runs with every refresh of the face, for what follows the song beside it.
  void SetOnTick(std::function<void()> onTick) { onTick_ = std::move(onTick); }
  // What the loop adds after the state, such as why it waits; empty for nothing.
  void SetNote(std::function<std::wstring()> note) { note_ = std::move(note); }
  // Why there are no songs, shown whole in place of the song, its state and time while it is
  // not empty.
  void SetExplanation(std::function<std::wstring()> explanation) {
    explanation_ = std::move(explanation);
  }
  // Takes what it shows now, without waiting for its next tick.
  void Refresh();
  // Covers the player's window again, with its type and card laid out for `dpi`.
  void SetDpi(int dpi);

 private:
  static LRESULT CALLBACK FaceProc(HWND, UINT, WPARAM, LPARAM);
  // The activity's word with what has arrived of a loading song, or why the song failed.
  std::wstring StateText() const;
  void Paint(HDC target);
  void ChooseTitleFont();
  void PaintExplanation(HDC dc, int width, int height) const;

  const MediaPlayerUnit& player_;
  std::function<catalogue::NowPlaying()> song_;
  HWND window_ = nullptr;
  HWND control_ = nullptr;
  int dpi_ = 96;
  skin::GdiObject<HFONT> large_;  // the number and the time
  std::wstring line_;             // FaceText's line
  std::wstring title_;            // the song's title, shown as plain text
  // The title's own font where the face's font lacks some of its glyphs.
  skin::GdiObject<HFONT> titleFont_;
  std::function<void()> onTick_;
  std::function<std::wstring()> note_;
  std::function<std::wstring()> explanation_;
  bool explaining_ = false;  // line_ holds the explanation
};

}  // namespace app
