// What the system under the program can do, where Wine and Windows differ.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace catalogue {

// True under Wine (its ntdll exports wine_get_version). There the media player control opens no
// http address and the shell's download dialog does nothing, so the program does both itself.
bool RunningUnderWine();

// An address the media control would have to stream: http or https, in any letter case.
bool IsWebAddress(const std::string& address);

// The file name extension (with its dot) that the first bytes of a song call for, so the
// player's media framework recognises a local copy; ".mp3" when nothing is recognised.
std::string SongFileExtension(const uint8_t* head, size_t size);

}  // namespace catalogue

namespace catalogue {

// The volume to give Wine's media control for the program's volume 0 to 100. Wine turns each
// step below 100 into one decibel less (50 is -50 dB, nearly silent); this spreads 1 to 100 over
// -20 to 0 dB instead, so 50 plays at -10 dB, about half as loud as full, and 0 stays silent.
int WineVolumeLevel(int volume);
// The program's volume that a level Wine's control reports stands for: exact for every multiple
// of 5, the volume keys' step.
int VolumeFromWineLevel(int level);

}  // namespace catalogue
