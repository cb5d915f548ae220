// The texts the service answers with, in the catalogue's wire format.
#pragma once

#include <string>
#include <vector>

#include "catalogue.h"
#include "faults.h"

namespace catalogue_service {

// The home page, whose list reference carries the token and ends its line with CR LF.
std::string HomePage(const std::string& token, Fault fault);

// One record per entry, in UTF-8:
//   {title: 'TITLE', mp3: 'mp3.ashx?id=N',m4a: 'mp3.ashx?id=N'}
std::string ListScript(const std::vector<ListEntry>& entries, Fault fault);

// A title as a quoted script text: backslash, quote and line breaks escaped, so no title can
// end its record early or look like a marker (each marker's last quote follows a blank or a
// colon, never the backslash an escaped quote has).
std::string EscapeTitle(const std::string& title);

std::string AboutPage();

}  // namespace catalogue_service
