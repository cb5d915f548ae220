// The catalogue site's fixed address and the author page, from the build's settings.
#include "catalogue_address.h"

#include "build_settings.h"

namespace build_settings {
const char kCatalogueBaseUrl[] = VELORY_CATALOGUE_BASE_URL;
const char kAuthorPageUrl[] = VELORY_AUTHOR_PAGE_URL;
}  // namespace build_settings
