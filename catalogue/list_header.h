// The entry that heads both lists: the prompt to double-click a song.
#pragma once

namespace catalogue {

inline constexpr char kSongListHeader[] = "双击操作";

}  // namespace catalogue
