// A song's answer: the whole file or one byte range of it, read from disk as it is sent.
#pragma once

#include <httplib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue.h"

namespace catalogue_service {

enum class RangeAsk { kWhole, kPart, kUnsatisfiable };

// A Range header against a body of `length` bytes. Only one range of bytes is honoured; a list
// of several, another unit or a malformed header get the whole body, as HTTP allows.
RangeAsk ParseRange(const std::string& header, uint64_t length, uint64_t& first, uint64_t& last);

// Opens the file only when the opened file itself is a regular file inside the roots, so that
// a link put in its place after the scan leads nowhere; -1 otherwise.
int OpenInsideRoots(const std::string& path, const std::vector<std::string>& roots);

// Fills the answer (200, 206 or 416, Accept-Ranges, type and length; no body for HEAD, which
// the library leaves out). False when the song cannot be opened (the caller answers 404).
bool AnswerSong(const httplib::Request& req, httplib::Response& res, const SongSource& song,
                const std::vector<std::string>& roots);

}  // namespace catalogue_service
