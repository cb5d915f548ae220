// Faults the service can put into its answers, for the player's tests.
//
// A fault is chosen for the whole service with --fault NAME, or for one request by starting
// its path with /fault/NAME/: a client whose base address is http://HOST:PORT/fault/NAME/ sees
// the fault in every request it makes, so one running service serves every fault at once.
//
//   slow            no answer for 20 s (then the normal one)
//   trickle         the normal answer, one byte every 250 ms
//   empty           status 200, empty body
//   status500       status 500 with the normal body
//   close-mid-body  announces the normal body's length, sends half of it, closes
//   no-token        the home page has no list reference
//   no-cr           the home page's list reference ends its line with LF alone
//   upper           the home page's list reference is written in capitals
//   two-tokens      the home page references the list twice; only the first token is valid
//   malformed       list records with a blank between the comma and m4a
//   short-records   every third list record lacks its mp3 address
//   packed          list records with nothing between them
//   huge-list       a list of 100,000 records
//   status404       status 404 with the normal body
//   big-body        the normal answer followed by 50 MB of blanks
//   garbage         a list of 64 KB of binary garbage
//   nested          list records whose address markers are nested and repeated
//   long-records    list records whose titles are 100 KB long
//   many-records    a list of 10,000 records
#pragma once

#include <optional>
#include <string>

namespace catalogue_service {

enum class Fault {
  kNone,
  kSlow,
  kTrickle,
  kEmpty,
  kStatus500,
  kCloseMidBody,
  kNoToken,
  kNoCr,
  kUpper,
  kTwoTokens,
  kMalformed,
  kShortRecords,
  kPacked,
  kHugeList,
  kStatus404,
  kBigBody,
  kGarbage,
  kNested,
  kLongRecords,
  kManyRecords,
};

// The fault of that name; nothing for an unknown name.
std::optional<Fault> ParseFault(const std::string& name);

}  // namespace catalogue_service
