#include "faults.h"

#include <utility>

namespace catalogue_service {

std::optional<Fault> ParseFault(const std::string& name) {
  static const std::pair<const char*, Fault> kNames[] = {
      {"none", Fault::kNone},
      {"slow", Fault::kSlow},
      {"trickle", Fault::kTrickle},
      {"empty", Fault::kEmpty},
      {"status500", Fault::kStatus500},
      {"close-mid-body", Fault::kCloseMidBody},
      {"no-token", Fault::kNoToken},
      {"no-cr", Fault::kNoCr},
      {"upper", Fault::kUpper},
      {"two-tokens", Fault::kTwoTokens},
      {"malformed", Fault::kMalformed},
      {"short-records", Fault::kShortRecords},
      {"packed", Fault::kPacked},
      {"huge-list", Fault::kHugeList},
      {"status404", Fault::kStatus404},
      {"big-body", Fault::kBigBody},
      {"garbage", Fault::kGarbage},
      {"nested", Fault::kNested},
      {"long-records", Fault::kLongRecords},
      {"many-records", Fault::kManyRecords},
  };
  for (const auto& [n, fault] : kNames) {
    if (name == n) return fault;
  }
  return std::nullopt;
}

}  // namespace catalogue_service
