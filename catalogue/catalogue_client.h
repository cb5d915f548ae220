// The catalogue client: fetches one batch of songs and appends their stream addresses to the
// song list, after the header entry.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/list_header.h"
#include "catalogue/text_routines.h"

namespace catalogue {

// Addresses and list entries are UTF-8 (the addresses are ASCII in practice); the list box
// holds them as UTF-16.
// The song address appended last; kept until the program ends.
extern std::string songAddress;

using HttpFunction = std::function<std::vector<uint8_t>(const std::string& absoluteUrl)>;
using AppendFunction = std::function<void(const std::string& entry)>;
// Given each appended song's address and its cleaned title (CleanTitle), for the first
// kTitlesPerBatch songs of the list.
using TitleFunction = std::function<void(const std::string& address, std::wstring title)>;

// The fetch against a base address (ending in "/"), with the HTTP client, the list to append
// to and the pump given: at most three requests; appends nothing when the home page holds no
// list reference, the header alone when the list holds no song.
void FetchCatalogue(const std::string& baseUrl, const HttpFunction& get,
                    const AppendFunction& append, PumpFunction pump,
                    const TitleFunction& keepTitle = nullptr);

// The program's fetch from the site at `baseUrl`: real HTTP, appended to `songList` (an unsorted
// list box), the titles kept in `songTitles`, the window's messages processed while the list is
// read.
void FetchCatalogue(HWND songList, const std::string& baseUrl);

}  // namespace catalogue
